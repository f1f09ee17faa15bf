#pragma once
// Small helpers of the shell's GUI tests: find a button by its caption, answer the name dialog
// that the next click opens.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "shell/NameEntryDlg.h"

namespace vorn::test {

inline QPushButton* buttonByCaption(QWidget* parent, const QString& caption) {
    for (QPushButton* b : parent->findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
}

// The controls whose accessible name is not their label's text, trimmed and without '&'.
inline std::vector<std::string> namesUnlikeTheirLabels(const QWidget& window) {
    std::vector<std::string> wrong;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QWidget* buddy = label->buddy();
        if (!buddy) {
            continue;
        }
        const QString expected = label->text().remove('&').trimmed();
        if (buddy->accessibleName() != expected) {
            wrong.push_back(buddy->objectName().toStdString() + " '" +
                            buddy->accessibleName().toStdString() + "' under '" +
                            expected.toStdString() + "'");
        }
    }
    return wrong;
}

// Runs the action on the modal dialog that opens next.
inline void onNextModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

// Types the name into the next name dialog and presses OK.
inline void typeNextName(const QString& name) {
    onNextModal([name](QWidget* modal) {
        auto* dialog = qobject_cast<CNameEntryDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->focusWidget(), dialog->nameField());
        dialog->nameField()->setText(name);
        dialog->accept();
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

}  // namespace vorn::test
