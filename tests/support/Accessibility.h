#pragma once
// Checks that every control of a window is reachable by the accessibility layer: buttons and
// check boxes by their caption, entry fields, lists, combo boxes and spin boxes by an
// accessible name. Returns one line per control that is not, naming its class and object name.
// Runs a control's actions as a screen reader does.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include <string>
#include <vector>

namespace vorn::test {

inline std::vector<std::string> unnamedControls(const QWidget& window) {
    std::vector<std::string> missing;
    const auto describe = [](const QWidget* w) {
        return std::string(w->metaObject()->className()) + " '" + w->objectName().toStdString() +
               "'";
    };
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        // Parts of composite controls (a combo box's own line edit, a spin box's editor, a
        // list's viewport) are reached through the control that owns them.
        if (qobject_cast<const QComboBox*>(w->parentWidget()) != nullptr ||
            qobject_cast<const QAbstractSpinBox*>(w->parentWidget()) != nullptr) {
            continue;
        }
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
            if (b->text().trimmed().isEmpty() && b->accessibleName().isEmpty()) {
                missing.push_back(describe(w) + " has no caption");
            }
            continue;
        }
        const bool needsName = qobject_cast<const QLineEdit*>(w) != nullptr ||
                               qobject_cast<const QAbstractItemView*>(w) != nullptr ||
                               qobject_cast<const QComboBox*>(w) != nullptr ||
                               qobject_cast<const QAbstractSpinBox*>(w) != nullptr ||
                               qobject_cast<const QTextEdit*>(w) != nullptr ||
                               qobject_cast<const QPlainTextEdit*>(w) != nullptr;
        if (needsName && w->accessibleName().trimmed().isEmpty()) {
            missing.push_back(describe(w) + " has no accessible name");
        }
    }
    return missing;
}

// The actions the accessibility layer offers on the control.
inline QStringList accessibleActions(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    QAccessibleActionInterface* actions = a != nullptr ? a->actionInterface() : nullptr;
    return actions != nullptr ? actions->actionNames() : QStringList{};
}

// Does the action as a screen reader's activation does.
inline void doAccessibleAction(QWidget* w, const QString& action) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (a != nullptr && a->actionInterface() != nullptr) {
        a->actionInterface()->doAction(action);
    }
}

}  // namespace vorn::test
