// The program's message boxes: the program's title, over the window they belong to, and Cancel
// as the default where a question is about something that cannot be undone.
#include "platform/QtPrompter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace vorn {
namespace {

TEST(QtPrompter, BoxesCarryTheTitleSitOverTheirWindowAndDefaultAsAsked) {
    struct Case {
        Prompt prompt;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton pressed;
        PromptAnswer answer;
    };
    Prompt irreversible{"Clear?", PromptButtons::OkCancel, PromptIcon::Warning, std::nullopt};
    irreversible.cancelIsDefault = true;
    const Case cases[] = {
        {Prompt{"Saved.", PromptButtons::Ok, PromptIcon::None, std::string()}, QMessageBox::Ok,
         QMessageBox::Ok, PromptAnswer::Ok},
        {Prompt{"Send?", PromptButtons::OkCancel, PromptIcon::None, std::nullopt}, QMessageBox::Ok,
         QMessageBox::Ok, PromptAnswer::Ok},
        {irreversible, QMessageBox::Cancel, QMessageBox::Cancel, PromptAnswer::Cancel},
        {Prompt{"Save?", PromptButtons::SaveDiscardCancel, PromptIcon::Question, std::nullopt},
         QMessageBox::Save, QMessageBox::Discard, PromptAnswer::Discard},
    };
    QtPrompter prompter;
    for (const Case& c : cases) {
        QDialog owner;
        owner.show();
        QApplication::setActiveWindow(&owner);
        QString title;
        QWidget* parent = nullptr;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            parent = box->parentWidget();
            defaultButton = box->standardButton(box->defaultButton());
            box->button(c.pressed)->click();
        });
        EXPECT_EQ(prompter.ask(c.prompt), c.answer) << c.prompt.text;
        EXPECT_EQ(title, kApplicationTitle) << c.prompt.text;
        EXPECT_EQ(parent, &owner) << c.prompt.text;
        EXPECT_EQ(defaultButton, c.defaultButton) << c.prompt.text;
    }
}

}  // namespace
}  // namespace vorn
