#include "tab/PluImport.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "comm/RecordLine.h"
#include "platform/Prompter.h"
#include "plu/PluForm.h"
#include "tab/Csv.h"
#include "tab/PluColumns.h"

namespace vorn {

namespace {

// Lines of a duplicated PLU number named in its reason, at most.
constexpr std::size_t kNamedLines = 5;

struct ColumnAt {
    PluColumn column;
    std::size_t index;  // in the row
};

// The header row: which PLU column each cell names.
struct Header {
    std::vector<ColumnAt> columns;  // without the PLU number
    std::size_t pluNumber = 0;
    std::size_t width = 0;  // cells in the header row
};

// One row's outcome before duplicates are judged.
struct RowOutcome {
    enum class Kind { Added, Changed, Unchanged, Rejected };
    Kind kind = Kind::Rejected;
    std::size_t line = 0;
    std::string numberCell;
    std::optional<int> number;
    std::string reason;
    PluPair pair;
    ImportChange change;
};

std::string utf8Of(std::string_view text, TextCoding coding) {
    return coding == TextCoding::Utf8 ? std::string(text) : latin1ToUtf8(std::string(text));
}

bool blankRow(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) {
        return c.find_first_not_of(" \t") == std::string::npos;
    });
}

std::string trimmedCell(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

// Reads the header row; the reason it cannot be used, or empty.
std::string readHeader(const std::vector<std::string>& cells, TextCoding coding, Header& header,
                       ImportPlan& plan) {
    header.width = cells.size();
    std::optional<std::size_t> pluNumber;
    std::vector<std::optional<std::size_t>> seen(allPluColumns().size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string name = utf8Of(trimmedCell(cells[i]), coding);
        const std::optional<PluColumn> column = columnOfHeader(cells[i]);
        if (!column) {
            if (!name.empty()) {
                plan.ignoredColumns.push_back(name);
            }
            continue;
        }
        std::optional<std::size_t>& first = seen[static_cast<std::size_t>(*column)];
        if (first) {
            return "the column \u201C" + std::string(columnHeader(*column)) +
                   "\u201D is in the header twice (columns " + std::to_string(*first + 1) +
                   " and " + std::to_string(i + 1) + ")";
        }
        first = i;
        plan.columns.push_back(columnHeader(*column));
        if (*column == PluColumn::PluNumber) {
            pluNumber = i;
        } else {
            header.columns.push_back({*column, i});
        }
    }
    if (!pluNumber) {
        return "the first row names no column \u201CPLU No.\u201D: rows find their PLUs by it "
               "(the first row holds the column names)";
    }
    header.pluNumber = *pluNumber;
    return {};
}

// A new PLU's values before its row: the editor's for "Add", every field empty or off.
PluValues newPluValues(int number) {
    PluValues values;
    values.pluNumber = std::to_string(number);
    values.groupNumber = "0";
    return values;
}

// The changed fields among the row's columns (and the fixweight, which By Count may clear).
std::string changeText(const PluValues& before, const PluValues& after, const Header& header) {
    std::vector<PluColumn> columns;
    for (const ColumnAt& at : header.columns) {
        columns.push_back(at.column);
    }
    if (std::find(columns.begin(), columns.end(), PluColumn::Fixweight) == columns.end()) {
        columns.push_back(PluColumn::Fixweight);
    }
    std::sort(columns.begin(), columns.end());
    std::string what;
    for (PluColumn column : columns) {
        const std::string from = cellOf(column, before);
        const std::string to = cellOf(column, after);
        if (from == to) {
            continue;
        }
        const bool text = column == PluColumn::Description1 || column == PluColumn::Description2;
        const auto shown = [&](const std::string& cell) {
            return text ? "\u201C" + latin1ToUtf8(cell) + "\u201D" : latin1ToUtf8(cell);
        };
        if (!what.empty()) {
            what += "; ";
        }
        what += std::string(columnHeader(column)) + " " + shown(from) + " \u2192 " + shown(to);
    }
    return what;
}

// Works out one row against the list.
RowOutcome planRow(const std::vector<std::string>& cells, std::size_t line, const Header& header,
                   const CellReading& reading, const PluList& list) {
    RowOutcome row;
    row.line = line;
    const std::string numberCell =
        header.pluNumber < cells.size() ? trimmedCell(cells[header.pluNumber]) : std::string();
    row.numberCell = utf8Of(numberCell, reading.coding);
    const auto reject = [&](std::string reason) {
        row.kind = RowOutcome::Kind::Rejected;
        row.reason = std::move(reason);
        return std::move(row);
    };

    if (cells.size() > header.width &&
        !blankRow(std::vector<std::string>(
            cells.begin() + static_cast<std::ptrdiff_t>(header.width), cells.end()))) {
        return reject("the row has " + std::to_string(cells.size()) + " cells but the header " +
                      std::to_string(header.width) +
                      " (a separator in a text that is not in quotes?)");
    }
    if (numberCell.empty()) {
        return reject("the PLU No. is missing");
    }
    if (numberCell.find_first_not_of("0123456789") != std::string::npos ||
        plainNumber(numberCell).size() > static_cast<std::size_t>(pluentry::kPluNumber)) {
        return reject("the PLU No. is not a whole number of up to " +
                      std::to_string(pluentry::kPluNumber) + " digits: \u201C" + row.numberCell +
                      "\u201D");
    }
    const int number = intValue(numberCell);
    row.number = number;

    const PluList::Place place = list.placeOf(number);
    const bool listed = place.replaces;
    if (listed && !list.pair(place.index).intact()) {
        return reject("PLU No. " + std::to_string(number) +
                      " is damaged in the PLU file (a record of the wrong length); delete it in "
                      "the PLU list first");
    }
    const PluValues before = listed ? decodePair(list.pair(place.index)) : newPluValues(number);
    PluValues after = before;
    std::string reasons;
    bool byCountChanged = false;
    bool fixweightChanged = false;
    bool descriptionRefused = false;
    for (const ColumnAt& at : header.columns) {
        if (at.index >= cells.size()) {
            continue;  // a short row: the cell is not there, the value stays
        }
        const CellChange change = applyCell(at.column, cells[at.index], reading, after);
        if (change.kind == CellChange::Kind::Reject) {
            reasons += (reasons.empty() ? "" : "; ") + change.reason;
            descriptionRefused |= at.column == PluColumn::Description1;
        } else if (change.kind == CellChange::Kind::Change) {
            byCountChanged |= at.column == PluColumn::ByCount;
            fixweightChanged |= at.column == PluColumn::Fixweight;
        }
    }
    // The editor keeps a fixweight only for items sold by count.
    if ((byCountChanged || fixweightChanged) && !after.byCount &&
        decimalToUnits(after.fixweightThousandths, 0) != 0) {
        if (fixweightChanged) {
            reasons += std::string(reasons.empty() ? "" : "; ") +
                       "a Fixweight is kept only for items sold By Count";
        } else {
            after.fixweightThousandths = "0";
        }
    }
    if (!descriptionRefused && (!listed || after.description1 != before.description1) &&
        after.description1.find_first_not_of(' ') == std::string::npos) {
        reasons += std::string(reasons.empty() ? "" : "; ") + "the Description is empty";
    }
    if (!reasons.empty()) {
        return reject(std::move(reasons));
    }

    PluPair pair = listed ? list.pair(place.index) : templatePair();
    if (listed && after == before) {
        row.kind = RowOutcome::Kind::Unchanged;
        return row;
    }
    const std::string problem =
        listed ? encodeChangedValues(before, after, pair) : encodeValues(after, pair);
    if (!problem.empty()) {
        return reject(problem);
    }
    if (listed && pair == list.pair(place.index)) {
        row.kind = RowOutcome::Kind::Unchanged;
        return row;
    }
    row.kind = listed ? RowOutcome::Kind::Changed : RowOutcome::Kind::Added;
    row.change.line = line;
    row.change.pluNumber = number;
    row.change.added = !listed;
    row.change.description = latin1ToUtf8(after.description1);
    row.change.what = listed ? changeText(before, after, header) : "new PLU";
    row.pair = std::move(pair);
    return row;
}

std::string duplicateReason(int number, const std::vector<std::size_t>& lines) {
    std::string text = "PLU No. " + std::to_string(number) + " is on more than one row (lines ";
    for (std::size_t i = 0; i < lines.size() && i < kNamedLines; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    return text + (lines.size() > kNamedLines ? ", \u2026)" : ")");
}

}  // namespace

ImportPlan planImport(const PluList& list, std::string_view csvBytes) {
    ImportPlan plan;
    const DetectedText detected = detectCoding(csvBytes);
    plan.coding = detected.coding;
    const std::string_view text = csvBytes.substr(detected.markLength);
    plan.separator = csv::detectSeparator(text);
    const CellReading reading{plan.coding, plan.separator};

    csv::Reader reader(text, plan.separator);
    csv::Record record;
    Header header;
    bool headerRead = false;
    std::vector<RowOutcome> rows;
    while (reader.next(record)) {
        if (blankRow(record.fields)) {
            continue;
        }
        if (!headerRead) {
            plan.unusable = readHeader(record.fields, plan.coding, header, plan);
            if (!plan.unusable.empty()) {
                return plan;
            }
            headerRead = true;
            continue;
        }
        rows.push_back(planRow(record.fields, record.line, header, reading, list));
    }
    if (reader.endedInQuotes()) {
        plan.unusable = "a quoted field is not closed: the row that starts on line " +
                        std::to_string(record.line) + " runs to the end of the file";
        return plan;
    }
    if (!headerRead) {
        plan.unusable = "the file holds no rows: its first row must name the columns";
        return plan;
    }

    // Rows of one PLU number: none of them is taken, as the file does not say which holds.
    std::unordered_map<int, std::vector<std::size_t>> rowsOfNumber;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].number) {
            rowsOfNumber[*rows[i].number].push_back(i);
        }
    }
    for (const auto& [number, indexes] : rowsOfNumber) {
        if (indexes.size() < 2) {
            continue;
        }
        std::vector<std::size_t> lines;
        for (std::size_t i : indexes) {
            lines.push_back(rows[i].line);
        }
        const std::string reason = duplicateReason(number, lines);
        for (std::size_t i : indexes) {
            RowOutcome& row = rows[i];
            row.reason =
                row.kind == RowOutcome::Kind::Rejected ? reason + "; " + row.reason : reason;
            row.kind = RowOutcome::Kind::Rejected;
        }
    }

    for (RowOutcome& row : rows) {
        switch (row.kind) {
            case RowOutcome::Kind::Added:
            case RowOutcome::Kind::Changed:
                ++(row.kind == RowOutcome::Kind::Added ? plan.added : plan.changed);
                plan.changes.push_back(std::move(row.change));
                plan.pairs.push_back(std::move(row.pair));
                break;
            case RowOutcome::Kind::Unchanged:
                ++plan.unchanged;
                break;
            case RowOutcome::Kind::Rejected:
                plan.rejected.push_back({row.line, row.numberCell, std::move(row.reason)});
                break;
        }
    }
    return plan;
}

void applyImportPlan(ImportPlan& plan, PluList& list) {
    list.addAll(std::move(plan.pairs));
    plan.pairs.clear();
}

std::string importSummary(const ImportPlan& plan) {
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    return count(plan.added, "PLU added", "PLUs added") + ", " + std::to_string(plan.changed) +
           " changed, " + std::to_string(plan.unchanged) + " unchanged, " +
           count(plan.rejected.size(), "row rejected", "rows rejected") + ".";
}

std::string rejectionText(const ImportRejection& rejection) {
    std::string text = "line " + std::to_string(rejection.line);
    if (!rejection.pluNumber.empty()) {
        text += " (PLU No. " + rejection.pluNumber + ")";
    }
    return text + ": " + rejection.reason;
}

std::string readingText(const ImportPlan& plan) {
    return std::string(codingName(plan.coding)) + ", separated by " +
           (plan.separator == ';' ? "semicolons" : "commas");
}

}  // namespace vorn
