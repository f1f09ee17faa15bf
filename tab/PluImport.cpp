#include "tab/PluImport.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/Prompter.h"
#include "plu/PluForm.h"
#include "tab/CellText.h"
#include "tab/Csv.h"
#include "tab/PluColumns.h"
#include "tab/XlsxReader.h"
#include "tables/NumberText.h"

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
    std::vector<std::string> notes;
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
std::string readHeader(const SheetRow& row, TextCoding coding, Header& header, ImportPlan& plan) {
    const std::vector<std::string>& cells = row.cells;
    header.width = cells.size();
    std::optional<std::size_t> pluNumber;
    std::vector<std::optional<std::size_t>> seen(allPluColumns().size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string name = utf8Of(trimmedCell(cells[i]), coding);
        const bool formula = row.typeOf(i) == CellType::Formula;
        const std::optional<PluColumn> column = formula ? std::nullopt : columnOfHeader(cells[i]);
        if (formula) {
            plan.ignoredColumns.push_back(name + " (a formula)");
            continue;
        }
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

// A set of columns, one bit each.
using ColumnSet = std::uint32_t;
static_assert(sizeof(ColumnSet) * 8 >= 28, "a bit for every column");
ColumnSet bitOf(PluColumn column) {
    return ColumnSet{1} << static_cast<unsigned>(column);
}

// The changed fields in words, in the order of an export: "Price 1.50 → 1.75" for a listed PLU,
// "Price 1.75" for a new one (whose description is shown beside).
std::string changeText(const PluValues& before, const PluValues& after, ColumnSet changed,
                       bool added) {
    std::string what = added ? "new PLU" : "";
    for (PluColumn column : allPluColumns()) {
        if ((changed & bitOf(column)) == 0 || (added && column == PluColumn::Description1)) {
            continue;
        }
        const std::string from = cellOf(column, before);
        const std::string to = cellOf(column, after);
        if (from == to) {
            continue;
        }
        const bool text = column == PluColumn::Description1 || column == PluColumn::Description2;
        const auto shown = [&](const std::string& cell) {
            return text ? "\u201C" + latin1ToUtf8(cell) + "\u201D" : latin1ToUtf8(cell);
        };
        what += what.empty() ? "" : added && what == "new PLU" ? ": " : "; ";
        what += std::string(columnHeader(column)) + " " +
                (added ? shown(to) : shown(from) + " \u2192 " + shown(to));
    }
    return what;
}

// A workbook's cell as a reason names it: "cell E5: ". A CSV file names only lines.
std::string cellName(std::size_t index, std::size_t line, const CellReading& reading) {
    if (reading.csv()) {
        return {};
    }
    return "cell " + xlsx::cellReference(index, line) + ": ";
}

// Works out one row against the list.
RowOutcome planRow(const SheetRow& sheetRow, const Header& header, const CellReading& reading,
                   const PluList& list) {
    const std::vector<std::string>& cells = sheetRow.cells;
    const std::size_t line = sheetRow.line;
    RowOutcome row;
    row.line = line;
    std::string numberCell =
        header.pluNumber < cells.size() ? trimmedCell(cells[header.pluNumber]) : std::string();
    const CellType numberType = sheetRow.typeOf(header.pluNumber);
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
    if (numberType == CellType::Formula) {
        return reject(cellName(header.pluNumber, line, reading) +
                      "the PLU No. holds a formula, and a formula is never taken as a value");
    }
    if (numberType == CellType::Number) {
        // A whole number of a workbook's number cell, in any notation.
        const std::optional<celltext::DecimalNumber> n = celltext::parseDecimal(numberCell);
        celltext::UnitsProblem problem{};
        if (const std::optional<celltext::Units> units =
                n ? celltext::unitsOf(*n, 0, problem) : std::nullopt) {
            numberCell = std::to_string(units->value);
        }
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
    if (number == 0) {
        return reject("the PLU No. is 0: PLU numbers start at 1");
    }
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
    ColumnSet changed = 0;
    bool descriptionRefused = false;
    for (const ColumnAt& at : header.columns) {
        if (at.index >= cells.size()) {
            continue;  // a short row: the cell is not there, the value stays
        }
        const CellChange change =
            applyCell(at.column, Cell{cells[at.index], sheetRow.typeOf(at.index)}, reading, after);
        if (change.kind == CellChange::Kind::Reject) {
            reasons +=
                (reasons.empty() ? "" : "; ") + cellName(at.index, line, reading) + change.reason;
            descriptionRefused |= at.column == PluColumn::Description1;
        } else if (change.kind == CellChange::Kind::Change) {
            changed |= bitOf(at.column);
        } else if (!change.note.empty()) {
            row.notes.push_back(change.note);
        }
    }
    const bool fixweightChanged = (changed & bitOf(PluColumn::Fixweight)) != 0;
    // The editor keeps a fixweight only for items sold by count.
    if ((changed & (bitOf(PluColumn::ByCount) | bitOf(PluColumn::Fixweight))) != 0 &&
        !after.byCount && decimalToUnits(after.fixweightThousandths, 0) != 0) {
        if (fixweightChanged) {
            reasons += std::string(reasons.empty() ? "" : "; ") +
                       "a Fixweight is kept only for items sold By Count";
        } else {
            after.fixweightThousandths = "0";
            changed |= bitOf(PluColumn::Fixweight);
        }
    }
    if (!descriptionRefused && (!listed || after.description1 != before.description1) &&
        after.description1.find_first_not_of(' ') == std::string::npos) {
        reasons += std::string(reasons.empty() ? "" : "; ") + "the Description is empty";
    }
    if (!reasons.empty()) {
        return reject(std::move(reasons));
    }

    if (listed && after == before) {
        row.kind = RowOutcome::Kind::Unchanged;
        return row;
    }
    PluPair pair = listed ? list.pair(place.index) : templatePair();
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
    row.change.what = changeText(before, after, changed, !listed);
    row.pair = std::move(pair);
    return row;
}

std::string duplicateReason(int number, const std::vector<std::size_t>& lines, bool sheetRows) {
    std::string text = "PLU No. " + std::to_string(number) + " is on more than one row (" +
                       (sheetRows ? "rows " : "lines ");
    for (std::size_t i = 0; i < lines.size() && i < kNamedLines; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    return text + (lines.size() > kNamedLines ? ", \u2026)" : ")");
}

// Rows of one PLU number: none of them is taken, as the file does not say which one holds.
template <class Mark>
void rejectDuplicates(const std::vector<Mark>& marks, ImportPlan& plan) {
    std::vector<std::pair<int, std::size_t>> numbered;  // number, mark
    numbered.reserve(marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].number >= 0) {
            numbered.push_back({marks[i].number, i});
        }
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<bool> dropped(plan.pairs.size(), false);
    bool anyDropped = false;
    for (std::size_t first = 0; first < numbered.size();) {
        std::size_t end = first + 1;
        while (end < numbered.size() && numbered[end].first == numbered[first].first) {
            ++end;
        }
        if (end - first > 1) {
            std::vector<std::size_t> lines;
            for (std::size_t k = first; k < end; ++k) {
                lines.push_back(marks[numbered[k].second].line);
            }
            const std::string reason =
                duplicateReason(numbered[first].first, lines, plan.workbook());
            for (std::size_t k = first; k < end; ++k) {
                const Mark& mark = marks[numbered[k].second];
                if (mark.kind == RowOutcome::Kind::Rejected) {
                    std::string& own = plan.rejected[mark.slot].reason;
                    own = reason + "; " + own;
                    continue;
                }
                if (mark.kind == RowOutcome::Kind::Unchanged) {
                    --plan.unchanged;
                } else {
                    --(mark.kind == RowOutcome::Kind::Added ? plan.added : plan.changed);
                    dropped[mark.slot] = true;
                    anyDropped = true;
                }
                plan.rejected.push_back(
                    {mark.line, std::to_string(numbered[first].first), reason, plan.workbook()});
            }
        }
        first = end;
    }
    if (anyDropped) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < plan.pairs.size(); ++i) {
            if (!dropped[i]) {
                plan.pairs[kept] = std::move(plan.pairs[i]);
                plan.changes[kept] = std::move(plan.changes[i]);
                ++kept;
            }
        }
        plan.pairs.resize(kept);
        plan.changes.resize(kept);
    }
    std::stable_sort(
        plan.rejected.begin(), plan.rejected.end(),
        [](const ImportRejection& a, const ImportRejection& b) { return a.line < b.line; });
}

}  // namespace

void planRows(const PluList& list, const std::function<bool(SheetRow&)>& next, ImportPlan& plan) {
    const CellReading reading{plan.coding, plan.separator};
    SheetRow record;
    Header header;
    bool headerRead = false;
    // Where each row's outcome went: enough to take it back when its PLU number is on
    // another row as well.
    struct RowMark {
        std::size_t line;
        int number;  // -1: the row has no usable PLU number
        RowOutcome::Kind kind;
        std::size_t slot;  // in plan.pairs (added, changed) or plan.rejected
    };
    std::vector<RowMark> marks;
    while (next(record)) {
        if (blankRow(record.cells)) {
            continue;
        }
        if (!headerRead) {
            plan.unusable = readHeader(record, plan.coding, header, plan);
            if (!plan.unusable.empty()) {
                return;
            }
            headerRead = true;
            continue;
        }
        RowOutcome row = planRow(record, header, reading, list);
        RowMark mark{row.line, row.number.value_or(-1), row.kind, 0};
        switch (row.kind) {
            case RowOutcome::Kind::Added:
            case RowOutcome::Kind::Changed:
                ++(row.kind == RowOutcome::Kind::Added ? plan.added : plan.changed);
                mark.slot = plan.pairs.size();
                plan.changes.push_back(std::move(row.change));
                plan.pairs.push_back(std::move(row.pair));
                break;
            case RowOutcome::Kind::Unchanged:
                ++plan.unchanged;
                break;
            case RowOutcome::Kind::Rejected:
                mark.slot = plan.rejected.size();
                plan.rejected.push_back(
                    {row.line, row.numberCell, std::move(row.reason), plan.workbook()});
                break;
        }
        if (row.kind != RowOutcome::Kind::Rejected) {
            for (std::string& what : row.notes) {
                auto found = std::find_if(plan.notes.begin(), plan.notes.end(),
                                          [&](const ImportNote& n) { return n.what == what; });
                if (found == plan.notes.end()) {
                    plan.notes.push_back({std::move(what), 0, row.line, plan.workbook()});
                    found = plan.notes.end() - 1;
                }
                ++found->count;
            }
        }
        marks.push_back(mark);
    }
    if (!headerRead) {
        plan.unusable = plan.workbook()
                            ? "the first sheet holds no rows: its first row must name the columns"
                            : "the file holds no rows: its first row must name the columns";
        return;
    }
    rejectDuplicates(marks, plan);
}

ImportPlan planImport(const PluList& list, std::string_view csvBytes) {
    ImportPlan plan;
    const DetectedText detected = detectCoding(csvBytes);
    plan.coding = detected.coding;
    const std::string_view text = csvBytes.substr(detected.markLength);
    plan.separator = csv::detectSeparator(text);

    const std::size_t expectedRows =
        static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    plan.pairs.reserve(expectedRows);
    plan.changes.reserve(expectedRows);
    csv::Reader reader(text, plan.separator);
    csv::Record record;
    const auto next = [&](SheetRow& row) {
        if (!reader.next(record)) {
            return false;
        }
        row.line = record.line;
        std::swap(row.cells, record.fields);
        row.types.clear();
        return true;
    };
    planRows(list, next, plan);
    if (plan.usable() && reader.endedInQuotes()) {
        plan.unusable = "a quoted field is not closed: the row that starts on line " +
                        std::to_string(record.line) + " runs to the end of the file";
    }
    return plan;
}

ImportPlan planWorkbookImport(const PluList& list, std::string_view xlsxBytes) {
    ImportPlan plan;
    plan.coding = TextCoding::Utf8;
    plan.separator = 0;
    xlsx::SheetReader reader(xlsxBytes);
    if (!reader.problem().empty()) {
        plan.unusable = reader.problem();
        return plan;
    }
    plan.sheet = reader.sheetName();
    planRows(
        list, [&](SheetRow& row) { return reader.next(row); }, plan);
    if (!reader.problem().empty()) {
        plan = ImportPlan{};
        plan.separator = 0;
        plan.unusable = reader.problem();
    }
    return plan;
}

bool isWorkbook(std::string_view bytes) {
    return xlsx::isZipContainer(bytes);
}

ImportPlan planFileImport(const PluList& list, std::string_view bytes) {
    return isWorkbook(bytes) ? planWorkbookImport(list, bytes) : planImport(list, bytes);
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
    std::string text = (rejection.sheetRow ? "row " : "line ") + std::to_string(rejection.line);
    if (!rejection.pluNumber.empty()) {
        text += " (PLU No. " + rejection.pluNumber + ")";
    }
    return text + ": " + rejection.reason;
}

std::string noteText(const ImportNote& note) {
    return note.what + ": kept as it was (" + std::to_string(note.count) +
           (note.count == 1 ? " cell, on " : " cells, the first on ") +
           (note.sheetRow ? "row " : "line ") + std::to_string(note.firstLine) + ")";
}

std::string readingText(const ImportPlan& plan) {
    if (plan.workbook()) {
        return "a workbook, sheet \u201C" + plan.sheet + "\u201D";
    }
    return std::string(codingName(plan.coding)) + ", separated by " +
           (plan.separator == ';' ? "semicolons" : "commas");
}

}  // namespace vorn
