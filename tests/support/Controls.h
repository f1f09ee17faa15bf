#pragma once
// Finding and driving the controls of a window in the dialog tests: buttons and check boxes by
// their caption, and typing into an entry field as a user does.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QWidget>

namespace vorn::test {

// The control of the window with this caption; a failure of the test when there is none.
template <class T>
T* withCaption(QWidget* window, const QString& caption) {
    for (T* w : window->findChildren<T*>()) {
        if (w->text() == caption) {
            return w;
        }
    }
    ADD_FAILURE() << "no " << T::staticMetaObject.className() << " " << caption.toStdString();
    return nullptr;
}

inline QPushButton* button(QWidget* window, const QString& caption) {
    return withCaption<QPushButton>(window, caption);
}

inline QCheckBox* check(QWidget* window, const QString& caption) {
    return withCaption<QCheckBox>(window, caption);
}

// Types text as a keyboard does; a character beyond ASCII (an AltGr key, say) comes as its text
// with no key code.
inline void typeKeys(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(field, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Replaces what the field holds by typing text into it.
inline void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    typeKeys(field, text);
}

}  // namespace vorn::test
