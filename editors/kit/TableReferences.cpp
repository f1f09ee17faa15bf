#include "editors/kit/TableReferences.h"

#include <atomic>
#include <cstddef>

#include "platform/Prompter.h"

namespace vorn {

namespace {

struct ReferredName {
    const char* row;    // "PLU"
    const char* table;  // "the PLU file"
};

ReferredName nameOf(ReferredTable table) {
    switch (table) {
        case ReferredTable::Plu:
            return {"PLU", "the PLU file"};
        case ReferredTable::Group:
            return {"group", "the group table"};
        case ReferredTable::Tare:
            return {"tare", "the tare table"};
        case ReferredTable::Advertisement:
            return {"advertisement text", "the advertisement table"};
        case ReferredTable::ExtraText:
            return {"extra text", "the extra text table"};
        case ReferredTable::DateText:
            return {"date text", "the date text table"};
    }
    return {"row", "its table"};
}

constexpr std::size_t kProblemsShown = 10;

std::atomic<KnownNumbersReader> installedReader{nullptr};

}  // namespace

bool KnownNumbers::lacks(const TableReference& reference) const {
    if (reference.number == 0) {
        return false;
    }
    const auto it = tables.find(reference.table);
    return it != tables.end() && !it->second.contains(reference.number);
}

std::string danglingReferenceText(const TableReference& reference) {
    const ReferredName name = nameOf(reference.table);
    return reference.from + " points to " + name.row + " " + std::to_string(reference.number) +
           ", which " + name.table + " does not have";
}

std::vector<std::string> danglingReferences(const std::vector<TableReference>& references,
                                            const KnownNumbers& known) {
    std::vector<std::string> problems;
    for (const TableReference& reference : references) {
        if (known.lacks(reference)) {
            problems.push_back(danglingReferenceText(reference));
        }
    }
    return problems;
}

KnownNumbersReader installKnownNumbersReader(KnownNumbersReader reader) {
    return installedReader.exchange(reader);
}

KnownNumbers readKnownNumbers(const ReferredTables& tables) {
    const KnownNumbersReader reader = installedReader.load();
    return reader != nullptr ? reader(tables) : KnownNumbers{};
}

ReferredTables referredTables(const std::vector<TableReference>& references) {
    ReferredTables tables;
    for (const TableReference& reference : references) {
        tables.insert(reference.table);
    }
    return tables;
}

std::vector<std::string> danglingReferences(const std::vector<TableReference>& references) {
    if (references.empty()) {
        return {};
    }
    return danglingReferences(references, readKnownNumbers(referredTables(references)));
}

bool confirmSendDespite(const std::vector<std::string>& problems) {
    if (problems.empty()) {
        return true;
    }
    std::string text = "These entries point to nothing on this PC:\n";
    for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
        text += problems[i] + "\n";
    }
    if (problems.size() > kProblemsShown) {
        text += "and " + std::to_string(problems.size() - kProblemsShown) + " more.\n";
    }
    text += "\nSend anyway?";
    return confirm(text);
}

}  // namespace vorn
