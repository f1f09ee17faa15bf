#include "comm/ReceiveGuard.h"

#include <atomic>

#include "comm/TransferHistory.h"
#include "platform/Prompter.h"
#include "tables/TableBackup.h"

namespace vorn {

namespace {

std::atomic<ShrinkingReceive> installedWay{ShrinkingReceive::Ask};

std::string records(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " record" : " records");
}

std::string question(const ReplacedTable& t) {
    return "The scale sent " +
           (*t.received == 0 ? std::string("no records") : records(*t.received)) + " for " +
           t.name + ", and the PC holds " + records(*t.kept) +
           ".\nReplace the PC's records with what the scale sent?\n(The table as it is now is "
           "kept in the folder " +
           tablebackup::kDirectory + " of the scale.)";
}

std::string refusal(const ReplacedTable& t) {
    return t.name + ": the scale sent no records; the PC's " + records(*t.kept) +
           " were kept (receive with --allow-empty to empty the table)";
}

}  // namespace

ShrinkingReceive installShrinkingReceive(ShrinkingReceive way) {
    return installedWay.exchange(way);
}

bool shrinksMuch(std::size_t kept, std::size_t received) {
    return kept > 0 && received * 2 < kept;
}

bool receiveMayReplace(const ReplacedTable& table) {
    if (table.kept && table.received && shrinksMuch(*table.kept, *table.received)) {
        switch (installedWay.load()) {
            case ShrinkingReceive::Ask:
                if (!confirm(question(table), PromptIcon::Question)) {
                    markReceiveNotTaken("the PC's records were kept, as chosen");
                    return false;
                }
                break;
            case ShrinkingReceive::RefuseEmpty:
                if (*table.received == 0) {
                    tell(refusal(table), PromptIcon::Warning);
                    markReceiveNotTaken("an empty answer; the PC's records were kept");
                    return false;
                }
                break;
            case ShrinkingReceive::AllowEmpty:
                break;
        }
    }
    if (const FileProblem problem = keepBackup(table.files); !problem.empty()) {
        tell(latin1ToUtf8(problem) + "; nothing was received into it", PromptIcon::Error);
        markReceiveNotTaken("the table's backup could not be made");
        return false;
    }
    return true;
}

void refuseAnswer(const std::string& reason) {
    tell(reason, PromptIcon::Warning);
    markReceiveNotTaken(reason);
}

}  // namespace vorn
