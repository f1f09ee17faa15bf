#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "comm/PortConfigDlg.h"

namespace vorn {

namespace {
struct Choice {
    const char* text;
    int code;
};

constexpr int kBaudRates[] = {1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200};
constexpr int kDataBits[] = {5, 6, 7, 8};
constexpr Choice kParities[] = {{"None", 0}, {"Odd", 1}, {"Even", 2}, {"Mark", 3}, {"Space", 4}};
constexpr Choice kStopBits[] = {{"1", 0}, {"1.5", 1}, {"2", 2}};

// Selects the entry holding the code; a code the list lacks (from a hand-edited file) is added,
// so that OK keeps it unchanged.
void selectCode(QComboBox* box, int code) {
    int index = box->findData(code);
    if (index < 0) {
        box->addItem(QString::number(code), code);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

QComboBox* numberBox(QWidget* parent, const int* first, const int* last) {
    auto* box = new QComboBox(parent);
    for (const int* v = first; v != last; ++v) {
        box->addItem(QString::number(*v), *v);
    }
    return box;
}

template <std::size_t N>
QComboBox* choiceBox(QWidget* parent, const Choice (&choices)[N]) {
    auto* box = new QComboBox(parent);
    for (const Choice& c : choices) {
        box->addItem(QString::fromLatin1(c.text), c.code);
    }
    return box;
}

void addRow(QFormLayout* form, const char* caption, QComboBox* box) {
    auto* label = new QLabel(QString::fromLatin1(caption), form->parentWidget());
    label->setBuddy(box);
    box->setAccessibleName(label->text().remove('&').trimmed());
    box->view()->setAccessibleName(box->accessibleName());
    form->addRow(label, box);
}
}  // namespace

CPortConfigDlg::CPortConfigDlg(QWidget* parent, const QString& portName,
                               const ComPortSettings& settings)
    : QDialog(parent),
      settings_(settings),
      baud_(numberBox(this, std::begin(kBaudRates), std::end(kBaudRates))),
      dataBits_(numberBox(this, std::begin(kDataBits), std::end(kDataBits))),
      parity_(choiceBox(this, kParities)),
      stopBits_(choiceBox(this, kStopBits)) {
    setWindowTitle(portName + " Properties");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    addRow(form, "&Bits per second:", baud_);
    addRow(form, "&Data bits:", dataBits_);
    addRow(form, "&Parity:", parity_);
    addRow(form, "&Stop bits:", stopBits_);
    selectCode(baud_, settings.baudRate);
    selectCode(dataBits_, settings.dataBits);
    selectCode(parity_, settings.parity);
    selectCode(stopBits_, settings.stopBits);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ComPortSettings CPortConfigDlg::settings() const {
    ComPortSettings s = settings_;
    s.baudRate = baud_->currentData().toInt();
    s.dataBits = dataBits_->currentData().toInt();
    s.parity = parity_->currentData().toInt();
    s.stopBits = stopBits_->currentData().toInt();
    return s;
}

}  // namespace vorn
