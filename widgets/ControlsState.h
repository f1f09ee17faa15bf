#pragma once
// What the data controls of a window hold, as one list of texts: taken when the data was opened
// or saved and again when the window is about to close, it tells whether the user changed
// something that would be lost.

#include <QStringList>

#include <functional>

class QWidget;

namespace vorn {

// The texts of the entry fields, lists and combo boxes and the states of the check boxes and
// radio buttons within root (root included), in the order they were created.
QStringList controlsState(const QWidget* root);

// The question of a window whose data would be lost: Save, Discard or Cancel.
inline constexpr const char* kUnsavedChangesQuestion =
    "The changes are not saved. Save them before closing?";

// Escape or the close box of a window with unsaved data asks: Save runs save (which closes the
// window when it succeeds), Cancel stays. True only for Discard: close without saving.
bool closeWithoutSaving(const std::function<void()>& save);

}  // namespace vorn
