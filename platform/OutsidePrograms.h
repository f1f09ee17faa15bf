#pragma once
// The outside programs that vorn starts, by their relative commands from the scale directory (as
// outsideProgramPath in platform/ProcessStart.h spells them on each platform), with what is
// known of them.

namespace vorn {

// The label layout editor, started by "&Lable Define ".
inline constexpr const char* kLabelEditorProgram = "../../FORMPAD";

// The spreadsheet import/export program, started by the PLU list's "Import/Export"; and the
// program installed beside vorn, which the PLU list starts when there is none there.
inline constexpr const char* kImportExportProgram = "../../TABSWAP";
inline constexpr const char* kInstalledImportExportProgram = "vorntab";
// Its main window's title, by which a running one is found.
inline constexpr const char* kImportExportTitle = "EXCEL <-> PLU ( USA Version 1.0 )";

}  // namespace vorn
