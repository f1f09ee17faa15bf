#include "tab/XlsxExport.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "platform/Prompter.h"
#include "tab/PluColumns.h"
#include "tab/XlsxReader.h"

namespace vorn {

namespace {

// The last row of a sheet (from 0): a column's drop-down reaches the rows added later too.
constexpr lxw_row_t kLastRow = 1048575;

double numberOf(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool ascii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A file in the temporary directory that libxlsxwriter writes the workbook to, removed after.
class ScratchPath {
public:
    ScratchPath() {
        std::random_device random;
        std::error_code ec;
        path_ = std::filesystem::temp_directory_path(ec) /
                ("vorntab-" + std::to_string(random()) + std::to_string(random()) + ".xlsx");
    }
    ~ScratchPath() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    ScratchPath(const ScratchPath&) = delete;
    ScratchPath& operator=(const ScratchPath&) = delete;
    std::string string() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// The width of a column in characters: its header or its widest entry, whichever is wider.
double widthOf(PluColumn column) {
    std::size_t width = std::string(columnHeader(column)).size();
    switch (cellKindOf(column)) {
        case PluCellKind::Text:
            width = std::max<std::size_t>(width, column == PluColumn::ItemNumber ? 14 : 36);
            break;
        case PluCellKind::Choice:
            for (const std::string& choice : choicesOf(column)) {
                width = std::max(width, choice.size());
            }
            width += 3;  // the drop-down's arrow
            break;
        case PluCellKind::Whole:
        case PluCellKind::Amount:
            width = std::max<std::size_t>(width, 10);
            break;
    }
    return static_cast<double>(width) + 2;
}

}  // namespace

WorkbookExport exportWorkbook(const PluList& list) {
    WorkbookExport result;
    const ScratchPath scratch;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to the file as they are written
    lxw_workbook* workbook = workbook_new_opt(scratch.string().c_str(), &options);
    if (workbook == nullptr) {
        result.problem = "cannot make a workbook in " + scratch.string();
        return result;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, kWorkbookSheetName);
    lxw_format* header = workbook_add_format(workbook);
    format_set_bold(header);
    format_set_num_format(header, "@");
    lxw_format* text = workbook_add_format(workbook);
    format_set_num_format(text, "@");
    lxw_format* whole = workbook_add_format(workbook);
    format_set_num_format(whole, "0");
    lxw_format* amounts[4] = {whole, nullptr, workbook_add_format(workbook),
                              workbook_add_format(workbook)};
    format_set_num_format(amounts[2], "0.00");
    format_set_num_format(amounts[3], "0.000");

    const std::span<const PluColumn> columns = allPluColumns();
    std::vector<lxw_format*> formats;
    std::vector<std::vector<std::string>> choices;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const PluColumn column = columns[c];
        const auto col = static_cast<lxw_col_t>(c);
        lxw_format* format = text;
        if (cellKindOf(column) == PluCellKind::Whole) {
            format = whole;
        } else if (cellKindOf(column) == PluCellKind::Amount) {
            format = amounts[std::clamp(decimalsOf(column), 0, 3)];
        }
        formats.push_back(format);
        worksheet_set_column(sheet, col, col, widthOf(column), format);
        choices.push_back(choicesOf(column));
        if (!choices.back().empty()) {
            std::vector<char*> entries;
            for (std::string& entry : choices.back()) {
                entries.push_back(entry.data());
            }
            entries.push_back(nullptr);
            lxw_data_validation validation{};
            validation.validate = LXW_VALIDATION_TYPE_LIST;
            validation.value_list = entries.data();
            worksheet_data_validation_range(sheet, 1, col, kLastRow, col, &validation);
        }
        worksheet_write_string(sheet, 0, col, columnHeader(column), header);
    }
    worksheet_freeze_panes(sheet, 1, 0);

    lxw_row_t row = 1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const PluPair& pair = list.pair(i);
        if (!pair.intact()) {
            ++result.damaged;
            continue;
        }
        const PluValues values = decodePair(pair);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const auto col = static_cast<lxw_col_t>(c);
            const std::string cell = cellOf(columns[c], values);
            switch (cellKindOf(columns[c])) {
                case PluCellKind::Whole:
                case PluCellKind::Amount:
                    worksheet_write_number(sheet, row, col, numberOf(cell), formats[c]);
                    break;
                case PluCellKind::Text:
                case PluCellKind::Choice:
                    // libxlsxwriter escapes control characters ("_x0005_") but not a text
                    // that looks like such an escape.
                    if (!cell.empty()) {
                        const std::string utf8 = ascii(cell) ? cell : latin1ToUtf8(cell);
                        worksheet_write_string(
                            sheet, row, col,
                            (utf8.find("_x") == std::string::npos ? utf8
                                                                  : xlsx::escapedUnderscores(utf8))
                                .c_str(),
                            formats[c]);
                    }
                    break;
            }
        }
        ++row;
        ++result.exported;
    }
    if (const lxw_error error = workbook_close(workbook); error != LXW_NO_ERROR) {
        result.problem = std::string("cannot write the workbook: ") + lxw_strerror(error);
        return result;
    }
    std::ifstream in(scratch.string(), std::ios::binary);
    result.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        result.problem = "cannot read back the workbook written to " + scratch.string();
        result.bytes.clear();
    }
    return result;
}

}  // namespace vorn
