// The main window's command table: every command that opens a dialog opens its own, modally.
#include <gtest/gtest.h>

#include <map>

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

class CommandTableTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(CommandTableTest, EveryCommandOpensItsDialogModallyWithItsCaption) {
    QWidget parent;
    std::map<int, QString> captions;
    for (const CommandDialog& c : commandDialogs()) {
        QTimer::singleShot(0, [&captions, &c] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            captions[c.command] = modal->windowTitle();
            static_cast<QDialog*>(modal)->reject();
        });
        c.open(&parent);
    }
    EXPECT_EQ(captions,
              (std::map<int, QString>{{command::kGroup, "Group Numbers"},
                                      {command::kOperator, "Operator Numbers"},
                                      {command::kDateText, "Date Text Numbers"},
                                      {command::kTare, "Tare Numbers"},
                                      {command::kVat, "VAT"},
                                      {command::kPresetKey, "Configure Presets"},
                                      {command::kOperatorSetup, "Operator Configuration"},
                                      {command::kDateTime, "Time"},
                                      {command::kByWeightLabel, "Default Label"},
                                      {command::kTotalLabel, "Default Label"},
                                      {command::kByCountLabel, "Default Label"},
                                      {command::kLabelFiles, "Label Load And Download Dialog"},
                                      {command::kCommunication, "Communication"},
                                      {command::kHistory, "Transfer History"},
                                      {command::kAdvertisement, "Advertisement Text Numbers"},
                                      {command::kExtraText, "Extra Text Number"},
                                      {command::kBarcode, "Barcode Numbers"},
                                      {command::kDiscount, "Discount Numbers"},
                                      {command::kStoreAddress, "Store Address"},
                                      {command::kMarquee, "Marquee Message"},
                                      {command::kHeaderBottom, "Label Header/Bottom"},
                                      {command::kPlu, "PLU List"}}));
}

}  // namespace
}  // namespace vorn
