#pragma once
// The spreadsheet import/export program as the PLU list starts and finds it.

namespace vorn {

// Its command, relative to the scale directory; and the program installed beside vorn, which
// the PLU list starts when there is none there.
inline constexpr const char* kImportExportProgram = "../../TABSWAP";
inline constexpr const char* kInstalledImportExportProgram = "vorntab";
// Its main window's title, by which a running one is found.
inline constexpr const char* kImportExportTitle = "EXCEL <-> PLU ( USA Version 1.0 )";

}  // namespace vorn
