#include "comm/ReceiveGuard.h"

#include <atomic>

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
                    return false;
                }
                break;
            case ShrinkingReceive::RefuseEmpty:
                if (*table.received == 0) {
                    tell(refusal(table), PromptIcon::Warning);
                    return false;
                }
                break;
            case ShrinkingReceive::AllowEmpty:
                break;
        }
    }
    if (const FileProblem problem = keepBackup(table.files); !problem.empty()) {
        tell(latin1ToUtf8(problem) + "; nothing was received into it", PromptIcon::Error);
        return false;
    }
    return true;
}

}  // namespace vorn
