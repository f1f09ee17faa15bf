// Escape and the close box of every kind of table editor: a change since the editor opened is
// not lost without a question; Cancel and an unchanged editor close without one.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "editors/code/DiscountDlg.h"
#include "editors/code/PresetKeyDlg.h"
#include "editors/setup/DefaultLabelDlg.h"
#include "editors/setup/OperatorConfigDlg.h"
#include "editors/text/StoreAddressDlg.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"
#include "widgets/ControlsState.h"
#include "widgets/TextBox.h"

namespace vorn {
namespace {

using Texts = std::vector<std::string>;

// A change as a user makes it: the first check box ticked, else a text typed.
void changeSomething(QWidget* d) {
    for (QCheckBox* box : d->findChildren<QCheckBox*>()) {
        if (box->isVisible() && box->isEnabled()) {
            box->click();
            return;
        }
    }
    for (TextBox* box : d->findChildren<TextBox*>()) {
        box->setFocus();
        QTest::keyClicks(box, "A");
        return;
    }
    for (QLineEdit* field : d->findChildren<QLineEdit*>()) {
        if (field->isVisible() && field->isEnabled() && !field->isReadOnly()) {
            test::type(field, "1");
            return;
        }
    }
    ADD_FAILURE() << "nothing to change";
}

TEST(TableDlg, EscapeOrTheCloseBoxAfterAChangeAsksWhetherToSave) {
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
    const std::vector<std::function<std::unique_ptr<QDialog>()>> editors = {
        [] { return std::make_unique<CDiscountDlg>(); },
        [] { return std::make_unique<CPresetKeyDlg>(); },
        [] { return std::make_unique<COperatorConfigDlg>(); },
        [] { return std::make_unique<CDefaultLabelDlg>(labelkind::kTotal); },
        [] { return std::make_unique<CStoreAddressDlg>(); },
    };
    for (const auto& open : editors) {
        // Unchanged: Escape closes at once.
        std::unique_ptr<QDialog> d = open();
        d->show();
        QApplication::setActiveWindow(d.get());
        prompter.clear();
        QTest::keyClick(d.get(), Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible()) << d->windowTitle().toStdString();
        EXPECT_EQ(prompter.texts(), Texts{});

        // Changed: Escape asks (Cancel stays), the close box asks (Discard closes unsaved).
        d = open();
        d->show();
        QApplication::setActiveWindow(d.get());
        changeSomething(d.get());
        prompter.clear();
        prompter.answerNext(PromptAnswer::Cancel);
        QTest::keyClick(d.get(), Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible()) << d->windowTitle().toStdString();
        prompter.answerNext(PromptAnswer::Discard);
        d->close();
        EXPECT_FALSE(d->isVisible()) << d->windowTitle().toStdString();
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_EQ(prompter.texts(), Texts(2, kUnsavedChangesQuestion))
            << d->windowTitle().toStdString();

        // Save runs OK; Cancel closes without a question.
        d = open();
        d->show();
        changeSomething(d.get());
        prompter.clear();
        d->close();  // answered Save
        EXPECT_EQ(d->result(), QDialog::Accepted) << d->windowTitle().toStdString();
        d = open();
        d->show();
        changeSomething(d.get());
        prompter.clear();
        test::button(d.get(), "Cancel")->click();
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(prompter.texts(), Texts{}) << d->windowTitle().toStdString();
    }
}

}  // namespace
}  // namespace vorn
