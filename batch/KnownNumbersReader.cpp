#include "batch/KnownNumbersReader.h"

#include <filesystem>

#include "batch/BatchCategories.h"
#include "editors/code/PresetKeyRecords.h"
#include "editors/numbered/ExtraTextTable.h"
#include "plu/PluFile.h"
#include "plu/PluReferences.h"
#include "tables/NumberText.h"

namespace vorn {

namespace {

bool present(const char* file) {
    std::error_code ec;
    return std::filesystem::exists(file, ec);
}

void addNumberStringTable(KnownNumbers& known, ReferredTable table, const TableFile& file) {
    if (!present(file.name)) {
        return;
    }
    std::set<long>& numbers = known.tables[table];
    for (const NumberStringRow& row : loadNumberStringFile(file).rows) {
        numbers.insert(intValue(row.number));
    }
}

void addDateTexts(KnownNumbers& known) {
    if (!present(tablefile::kDateTexts.name)) {
        return;
    }
    std::set<long>& numbers = known.tables[ReferredTable::DateText];
    for (const NumberWordRow& row : loadNumberWordFile(tablefile::kDateTexts).rows) {
        numbers.insert(row.number);
    }
}

void addExtraTexts(KnownNumbers& known) {
    if (!present(tablefile::kExtraTexts)) {
        return;
    }
    std::set<long>& numbers = known.tables[ReferredTable::ExtraText];
    for (const std::string& line : loadExtraTextFile().rows) {
        if (line.size() >= extratext::kNumberPos + extratext::kNumberDigits) {
            numbers.insert(intValue(
                std::string_view(line).substr(extratext::kNumberPos, extratext::kNumberDigits)));
        }
    }
}

void addPlus(KnownNumbers& known) {
    const PluFileContent content = readPluFile();
    if (content.status != PluFileContent::Status::Read) {
        return;  // no PLU file here, or one that is not a PLU file
    }
    std::set<long>& numbers = known.tables[ReferredTable::Plu];
    for (const PluPair& pair : content.pairs) {
        if (pair.intact()) {
            numbers.insert(pluNumberOf(pair.plu));
        }
    }
}

}  // namespace

KnownNumbers readScaleDirectoryNumbers(const ReferredTables& tables) {
    KnownNumbers known;
    for (const ReferredTable table : tables) {
        switch (table) {
            case ReferredTable::Plu:
                addPlus(known);
                break;
            case ReferredTable::Group:
                addNumberStringTable(known, table, tablefile::kGroups);
                break;
            case ReferredTable::Tare:
                addNumberStringTable(known, table, tablefile::kTares);
                break;
            case ReferredTable::Advertisement:
                addNumberStringTable(known, table, tablefile::kAdvertisements);
                break;
            case ReferredTable::ExtraText:
                addExtraTexts(known);
                break;
            case ReferredTable::DateText:
                addDateTexts(known);
                break;
        }
    }
    return known;
}

std::vector<std::string> batchSendReferenceProblems(const BatchSelection& selection,
                                                    const KnownNumbers& known) {
    // The categories whose rows name other tables' rows.
    const auto ticked = [&selection](const char* name) {
        return selection.ticked(batchCategoryNamed(name)->slot);
    };
    std::vector<TableReference> references;
    if (ticked("preset-key")) {
        references = presetKeyReferences(loadKeyFile().keys);
    }
    if (ticked("plu")) {
        const PluFileContent content = readPluFile();
        for (const PluPair& pair : content.pairs) {
            if (pair.intact()) {
                const std::vector<TableReference> more = pluReferences(pair);
                references.insert(references.end(), more.begin(), more.end());
            }
        }
    }
    return danglingReferences(references, known);
}

}  // namespace vorn
