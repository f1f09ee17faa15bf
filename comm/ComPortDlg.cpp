#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "comm/ComPortDlg.h"
#include "comm/PortConfigDlg.h"
#include "platform/Prompter.h"
#include "platform/QtPrompter.h"
#include "res/Artwork.h"

namespace vorn {

namespace {
constexpr const char* kPortNames[] = {"serial port 1", "serial port 2"};
}  // namespace

QStringList serialDeviceCandidates() {
    QStringList devices;
    const QDir dev("/dev");
    for (const QString& name :
         dev.entryList({"ttyS*", "ttyUSB*", "ttyACM*"}, QDir::System | QDir::Files, QDir::Name)) {
        devices << dev.filePath(name);
    }
    const QDir pts("/dev/pts");
    for (const QString& name : pts.entryList(QDir::System | QDir::Files, QDir::Name)) {
        if (name != "ptmx") {
            devices << pts.filePath(name);
        }
    }
    return devices;
}

CComPortDlg::CComPortDlg(QWidget* parent)
    : QDialog(parent),
      settings_(readComPortFile()),
      portList_(new QComboBox(this)),
      device_(new QComboBox(this)) {
    setWindowTitle("ComPort property");

    auto* picture = new QLabel(this);
    picture->setPixmap(artwork::portPicture());
    picture->setAlignment(Qt::AlignTop);

    auto* portLabel = new QLabel(" Select ComPort: ", this);
    portLabel->setBuddy(portList_);
    portList_->setAccessibleName(portLabel->text().trimmed());
    for (const char* name : kPortNames) {
        portList_->addItem(QString::fromLatin1(name));
    }
    // The list position stands for the port number minus one; a number outside the list shows
    // no entry.
    const bool listed = settings_.port >= 1 && settings_.port <= portList_->count();
    portList_->setCurrentIndex(listed ? settings_.port - 1 : -1);

    auto* configButton = new QPushButton("&Config...", this);
    connect(configButton, &QPushButton::clicked, this, &CComPortDlg::configure);
    auto* icon = new QLabel(this);
    icon->setPixmap(artwork::portIcon());

    auto* deviceLabel = new QLabel("&Device:", this);
    deviceLabel->setBuddy(device_);
    device_->setEditable(true);
    device_->setAccessibleName(deviceLabel->text().remove('&').trimmed());
    // The drop-down lists are windows of their own: they take the names of their fields.
    portList_->view()->setAccessibleName(portList_->accessibleName());
    device_->view()->setAccessibleName(device_->accessibleName());
    device_->addItem(QString());
    device_->addItems(serialDeviceCandidates());
    device_->setCurrentText(toQString(settings_.device));
    device_->lineEdit()->setPlaceholderText("by port number");
    device_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    device_->setToolTip(
        "The device that the port stands for; empty: /dev/ttyS0 for serial "
        "port 1, /dev/ttyS1 for serial port 2");

    auto* fields = new QGridLayout;
    fields->addWidget(portLabel, 0, 0);
    fields->addWidget(portList_, 1, 0);
    auto* configRow = new QHBoxLayout;
    configRow->addWidget(configButton);
    configRow->addStretch();
    configRow->addWidget(icon);
    fields->addLayout(configRow, 2, 0);
    fields->addWidget(deviceLabel, 3, 0);
    fields->addWidget(device_, 4, 0);
    fields->setRowStretch(5, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(fields, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CComPortDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The fields were made before the button between them: Tab follows the layout instead.
    setTabOrder(portList_, configButton);
    setTabOrder(configButton, device_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addWidget(buttons);
}

ComPortSettings CComPortDlg::settings() const {
    ComPortSettings s = settings_;
    // With no entry selected the port number read from the file is kept, not replaced by 0.
    if (portList_->currentIndex() >= 0) {
        s.port = portList_->currentIndex() + 1;
    }
    s.device = fromQString(device_->currentText().trimmed());
    return s;
}

void CComPortDlg::configure() {
    const ComPortSettings current = settings();
    CPortConfigDlg dialog(this, QString("COM%1").arg(current.port), current);
    if (dialog.exec() == QDialog::Accepted) {
        const ComPortSettings chosen = dialog.settings();
        settings_.baudRate = chosen.baudRate;
        settings_.dataBits = chosen.dataBits;
        settings_.parity = chosen.parity;
        settings_.stopBits = chosen.stopBits;
    }
}

void CComPortDlg::accept() {
    if (!writeComPortFile(settings()).empty()) {
        tell(kCannotCreatePortFileText);
    }
    QDialog::accept();
}

}  // namespace vorn
