// vorntab: the PLUs of a scale directory to and from spreadsheets (workbooks and CSV files).
//   vorntab                              the window, on plurec.dat in the current directory
//   vorntab export FILE                  every PLU to a workbook (.xlsx) or a CSV file
//   vorntab import [--dry-run] FILE      a workbook or a CSV file into plurec.dat
// Exit 0 when all went well, 1 when rows were rejected, 2 when nothing could be done.

#include <CLI/CLI.hpp>
#include <QApplication>
#include <iostream>
#include <string>

#include "platform/QtPrompter.h"
#include "tab/TabCommands.h"
#include "tab/TabWindow.h"

namespace {

const std::string kExitStatusText =
    "\nExit status: 0 when all went well; 1 when rows of the file were rejected (the others\n"
    "are imported) or damaged PLUs were left out of an export; 2 when nothing could be done\n"
    "(the file cannot be read or names no \"PLU No.\" column, plurec.dat is no PLU file, or\n"
    "the command line is wrong).";

const std::string kColumnsText =
    "\nThe first row of a sheet or a CSV file names its columns, in any order; a file may\n"
    "hold only some of them, but always \"PLU No.\". The columns of an export are: PLU No.,\n"
    "Item No., Description, Description Line 2, Price, Group No., Tare No., VAT No.,\n"
    "By Count, Open Price, Discount, Fixweight (lb), Label No., Alignment, Font Size Line 1,\n"
    "Font Size Line 2, Extra Text Font Size, Print Store Address, Advertising Text No.,\n"
    "Extra Text No., Pack Date Text No., Pack Date Print Format, Best Before Date Text No.,\n"
    "Best Before Print Format, Best Before Days, Sell By Date Text No., Sell By Print Format,\n"
    "Sell By Days. An empty cell keeps the PLU's value, but in a description column it\n"
    "stands for no text. Rows of PLUs that are not in plurec.dat add them (a new PLU needs\n"
    "a description); the others change only the fields whose cells differ.\n"
    "\nWhat spreadsheets do to values is caught: a formula or an error value (#VALUE!,\n"
    "Err:509) is refused, and so is a fixweight read as 1000 times its value in a locale\n"
    "that groups thousands with a point, or text that holds control characters or UTF-8\n"
    "read in another character set. A cell that differs only because a spreadsheet took a\n"
    "text for a number (leading zeros dropped, 1E3 written as 1000, 1/2 taken for a date)\n"
    "keeps the PLU's value, and the import says so.\n";

int runWindow(int argc, char** argv) {
    QApplication application(argc, argv);
    vorn::QtPrompter prompter;
    vorn::installPrompter(&prompter);
    int result = 0;
    {
        vorn::TabWindow window;
        window.show();
        result = QApplication::exec();
    }
    vorn::installPrompter(nullptr);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "vorntab exports the PLUs of a scale directory of vorn to an Excel workbook (.xlsx) or\n"
        "a CSV file for a spreadsheet, and imports such a file back, in the current directory\n"
        "(its plurec.dat). Without a command it opens its window there.\n",
        "vorntab");
    app.set_version_flag("--version", std::string("vorntab ") + VORN_VERSION);
    app.require_subcommand(0, 1);
    app.footer(kColumnsText + kExitStatusText +
               "\nRun 'vorntab COMMAND --help' for the options of a command.");

    std::string exportPath;
    CLI::App* exportCommand =
        app.add_subcommand("export", "Writes every PLU of plurec.dat to a workbook or CSV file");
    exportCommand->footer(
        "\nA FILE whose name ends in .xlsx becomes an Excel workbook: one sheet, the column\n"
        "names in its first row, texts as text cells, prices and weights as numbers, yes/no\n"
        "and list columns with a drop-down of their entries. Any other FILE becomes a CSV\n"
        "file in UTF-8 (with a byte order mark, for spreadsheets), separated by commas; a\n"
        "text that a spreadsheet would take for a formula (it starts with = + - or @) is\n"
        "written after an apostrophe, which the import takes away again. An existing file\n"
        "is replaced.\n" +
        kExitStatusText);
    exportCommand->add_option("FILE", exportPath, "The .xlsx or CSV file to write")->required();

    std::string importPath;
    vorn::ImportOptions importOptions;
    CLI::App* importCommand =
        app.add_subcommand("import", "Reads a workbook or CSV file into plurec.dat, by PLU number");
    importCommand->footer(
        "\nFILE may be an Excel workbook (.xlsx; its first sheet is read) or a CSV file, told\n"
        "apart by their bytes. A CSV file may be UTF-8 or single-byte (Windows-1252 or\n"
        "Latin-1) text, separated by commas or semicolons (with a decimal comma then\n"
        "allowed). Every rejected row is named with its line (or a workbook's row and cell)\n"
        "and the reason on standard error; the other rows are imported.\n" +
        kColumnsText + kExitStatusText);
    importCommand->add_option("FILE", importPath, "The .xlsx or CSV file to read")->required();
    importCommand->add_flag("--dry-run", importOptions.dryRun,
                            "Says what the file would change, writes nothing");
    importCommand->add_flag("--strict", importOptions.strict,
                            "Writes nothing when a row is rejected");
    importCommand->add_flag("-v,--verbose", importOptions.listChanges,
                            "Names every added and changed PLU and what changes");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? vorn::tabexit::kDone : vorn::tabexit::kUnusable;
    }

    if (exportCommand->parsed()) {
        return vorn::exportCommand(exportPath, std::cout, std::cerr);
    }
    if (importCommand->parsed()) {
        return vorn::importCommand(importPath, importOptions, std::cout, std::cerr);
    }
    return runWindow(argc, argv);
}
