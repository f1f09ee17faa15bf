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
#include <QTimer>
#include <QVBoxLayout>

#include "comm/ComPortDlg.h"
#include "comm/ConnectionTest.h"
#include "comm/PortConfigDlg.h"
#include "comm/RunState.h"
#include "comm/TransferDlg.h"
#include "platform/Prompter.h"
#include "res/Artwork.h"
#include "widgets/QtText.h"

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

void addDeviceEntries(QComboBox* list, const QStringList& devices,
                      const std::function<DeviceAccess(const std::string&)>& access) {
    for (const QString& device : devices) {
        const bool allowed = access(fromQString(device)) != DeviceAccess::NoPermission;
        list->addItem(allowed ? device : device + kNoPermissionMark, device);
    }
}

CComPortDlg::CComPortDlg(QWidget* parent)
    : QDialog(parent),
      settings_(readComPortFile()),
      portList_(new QComboBox(this)),
      device_(new QComboBox(this)),
      testButton_(new QPushButton("&Test", this)),
      testTime_(kConnectionTestTime) {
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
    addDeviceEntries(device_, serialDeviceCandidates());
    device_->setCurrentText(toQString(settings_.device));
    // A chosen entry puts its device into the field, without the mark.
    connect(device_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            device_->setEditText(device_->itemData(index).toString());
        }
    });
    testButton_->setToolTip("Sends a harmless request to the scale with these settings");
    connect(testButton_, &QPushButton::clicked, this, &CComPortDlg::testConnection);
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
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addWidget(device_, 1);
    deviceRow->addWidget(testButton_);
    fields->addLayout(deviceRow, 4, 0);
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
    setTabOrder(device_, testButton_);

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
    QString device = device_->currentText().trimmed();
    // A mark completed into the field while typing is not part of the device.
    const QString mark = QString(kNoPermissionMark).trimmed();
    if (device.endsWith(mark)) {
        device = device.chopped(mark.size()).trimmed();
    }
    s.device = fromQString(device);
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
    const SavedComPortFile saved = saveComPortSettings(settings());
    if (!saved.problem.empty()) {
        tell(kCannotCreatePortFileText, PromptIcon::None, saved.problem);
    }
    QDialog::accept();
}

void CComPortDlg::testConnection() {
    ConnectionTest test(settings(), testTime_);
    if (!test.ready()) {
        tell(kConnectionTestNotPreparedText, PromptIcon::Error, test.problem());
        return;
    }
    CTransferDlg progress(this);
    progress.receive = true;
    progress.quiet = true;
    progress.messageText = kConnectionTestMessage;
    progress.setEnvironment(test.environment());
    bool limitReached = false;
    // After the time limit the run is stopped as Cancel stops it.
    QTimer::singleShot(test.timeLimit(), &progress, [&] {
        limitReached = true;
        progress.reject();
    });
    progress.exec();
    // The worker clears the succeeded flag when it notices a stop: Cancel or the time limit.
    const ConnectionEnd end = limitReached                    ? ConnectionEnd::TimeLimit
                              : !runState().transferSucceeded ? ConnectionEnd::Cancelled
                                                              : ConnectionEnd::ByItself;
    const ConnectionVerdict verdict = test.verdict(end, !runState().unacknowledged);
    if (verdict.result == ConnectionResult::Answered) {
        tell(verdict.text, PromptIcon::Information, verdict.detail);
    } else if (verdict.result == ConnectionResult::Failed) {
        tell(verdict.text, PromptIcon::Warning, verdict.detail);
    }
}

}  // namespace vorn
