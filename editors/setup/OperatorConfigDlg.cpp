#include "editors/setup/OperatorConfigDlg.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editors/kit/TableButtons.h"

namespace vorn {

namespace {
constexpr const char* kPrinterMedia[] = {"0  Customer ticket", "1  Label", "2  Label+Ticket",
                                         "3  Ticket with liner"};
}  // namespace

COperatorConfigDlg::COperatorConfigDlg(QWidget* parent) : TableDlg(parent) {
    setWindowTitle("Operator Configuration");
    buildWidgets();
    config_.open();
    writeControls();
}

void COperatorConfigDlg::buildWidgets() {
    auto* powerOn = new QGroupBox("Power On Mode", this);
    saleMode_ = new QRadioButton("Sale Mode", powerOn);
    prepackMode_ = new QRadioButton("Prepack Mode", powerOn);
    auto* powerOnLayout = new QVBoxLayout(powerOn);
    powerOnLayout->addWidget(saleMode_);
    powerOnLayout->addWidget(prepackMode_);

    auto* mediaLabel = new QLabel("Printer media", this);
    printerMedia_ = new QComboBox(this);
    printerMedia_->setObjectName("printerMedia");
    for (const char* entry : kPrinterMedia) {
        printerMedia_->addItem(entry);
    }
    printerMedia_->setAccessibleName(mediaLabel->text());
    printerMedia_->view()->setAccessibleName(mediaLabel->text());
    mediaLabel->setBuddy(printerMedia_);
    auto* media = new QVBoxLayout;
    media->addWidget(mediaLabel);
    media->addWidget(printerMedia_);
    media->addStretch(1);

    auto* ticket = new QGroupBox("Ticket Option", this);
    auto* ticketLayout = new QGridLayout(ticket);
    auto check = [](const char* text, QWidget* parent) { return new QCheckBox(text, parent); };
    pluNumber_ = check("PLU Number", ticket);
    header_ = check("Header", ticket);
    footer_ = check("Footer", ticket);
    totalWeight_ = check("Total Weight", ticket);
    stub_ = check("Stub", ticket);
    barcode_ = check("Barcode", ticket);
    barcodeOnStub_ = check("Barcode On Stub", ticket);
    ticketLayout->addWidget(pluNumber_, 0, 0);
    ticketLayout->addWidget(header_, 1, 0);
    ticketLayout->addWidget(footer_, 2, 0);
    ticketLayout->addWidget(totalWeight_, 3, 0);
    ticketLayout->addWidget(stub_, 0, 1);
    ticketLayout->addWidget(barcode_, 1, 1);
    ticketLayout->addWidget(barcodeOnStub_, 2, 1);

    marquee_ = check("Marquee  text", this);
    ticketNumberOnLabel_ = check("Ticket Number On Label", this);
    tareDisplay_ = check("Tare Display && Print", this);

    // A setting of the scale that the dialog keeps but does not show.
    auto* hidden = new QGroupBox(this);
    hiddenRadio0_ = new QRadioButton("0", hidden);
    hiddenRadio1_ = new QRadioButton("1", hidden);
    auto* hiddenLayout = new QHBoxLayout(hidden);
    hiddenLayout->addWidget(hiddenRadio0_);
    hiddenLayout->addWidget(hiddenRadio1_);
    hidden->hide();

    const TableButtons buttons = tableButtons(
        this, CancelPlace::AfterOk, [this] { onOk(); }, [this] { onSend(); },
        [this] { onReceive(); });

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(powerOn);
    topRow->addSpacing(12);
    topRow->addLayout(media);
    topRow->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addLayout(topRow);
    left->addWidget(ticket);
    left->addWidget(marquee_);
    left->addWidget(ticketNumberOnLabel_);
    left->addWidget(tareDisplay_);
    left->addWidget(hidden);
    left->addStretch(1);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addSpacing(12);
    top->addLayout(buttons.layout);
}

void COperatorConfigDlg::readControls() {
    ModeSettings& s = config_.settings();
    s.powerOnMode = prepackMode_->isChecked() ? 1 : 0;
    s.printerMedia = printerMedia_->currentIndex();
    s.pluNumber = pluNumber_->isChecked();
    s.header = header_->isChecked();
    s.footer = footer_->isChecked();
    s.totalWeight = totalWeight_->isChecked();
    s.stub = stub_->isChecked();
    s.barcode = barcode_->isChecked();
    s.barcodeOnStub = barcodeOnStub_->isChecked();
    s.marquee = marquee_->isChecked();
    s.ticketNumberOnLabel = ticketNumberOnLabel_->isChecked();
    s.tareDisplay = tareDisplay_->isChecked();
    s.hiddenRadio = hiddenRadio1_->isChecked() ? 1 : 0;
}

void COperatorConfigDlg::writeControls() {
    const ModeSettings& s = config_.settings();
    (s.powerOnMode != 0 ? prepackMode_ : saleMode_)->setChecked(true);
    printerMedia_->setCurrentIndex(s.printerMedia);
    pluNumber_->setChecked(s.pluNumber);
    header_->setChecked(s.header);
    footer_->setChecked(s.footer);
    totalWeight_->setChecked(s.totalWeight);
    stub_->setChecked(s.stub);
    barcode_->setChecked(s.barcode);
    barcodeOnStub_->setChecked(s.barcodeOnStub);
    marquee_->setChecked(s.marquee);
    ticketNumberOnLabel_->setChecked(s.ticketNumberOnLabel);
    tareDisplay_->setChecked(s.tareDisplay);
    (s.hiddenRadio != 0 ? hiddenRadio1_ : hiddenRadio0_)->setChecked(true);
}

void COperatorConfigDlg::onOk() {
    readControls();
    if (config_.save()) {
        accept();
    }
}

void COperatorConfigDlg::onSend() {
    readControls();
    config_.send();
}

void COperatorConfigDlg::onReceive() {
    readControls();
    config_.receive();
    writeControls();
}

}  // namespace vorn
