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
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "comm/ComPortDlg.h"
#include "comm/ConnectionTest.h"
#include "comm/PortConfigDlg.h"
#include "comm/RunState.h"
#include "comm/TransferDlg.h"
#include "platform/NetworkAddress.h"
#include "platform/Prompter.h"
#include "res/Artwork.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {
constexpr const char* kPortNames[] = {"serial port 1", "serial port 2"};
// The protocols of a device server, in the order of NetworkProtocol.
constexpr const char* kProtocolNames[] = {"Raw TCP", "RFC 2217 (Telnet)"};
constexpr int kDefaultServerPort = 4001;
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
      local_(new QRadioButton("&Local port", this)),
      server_(new QRadioButton("Device &server on the network", this)),
      host_(new QLineEdit(this)),
      networkPort_(new QSpinBox(this)),
      protocol_(new QComboBox(this)),
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
    std::string problem;
    const auto address = isNetworkAddress(settings_.device)
                             ? parseNetworkAddress(settings_.device, problem)
                             : std::nullopt;
    device_->setCurrentText(address ? QString() : toQString(settings_.device));
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

    // A device server: host, port and protocol, written as its address.
    auto* hostLabel = new QLabel("&Host:", this);
    hostLabel->setBuddy(host_);
    host_->setAccessibleName(hostLabel->text().remove('&'));
    host_->setPlaceholderText("name or address");
    auto* networkPortLabel = new QLabel("P&ort:", this);
    networkPortLabel->setBuddy(networkPort_);
    networkPort_->setAccessibleName(networkPortLabel->text().remove('&'));
    networkPort_->setRange(1, 65535);
    networkPort_->setValue(address ? address->port : kDefaultServerPort);
    auto* protocolLabel = new QLabel("P&rotocol:", this);
    protocolLabel->setBuddy(protocol_);
    protocol_->setAccessibleName(protocolLabel->text().remove('&'));
    protocol_->view()->setAccessibleName(protocol_->accessibleName());
    for (const char* name : kProtocolNames) {
        protocol_->addItem(QString::fromLatin1(name));
    }
    protocol_->setToolTip(
        "Raw TCP: the device server's own line settings apply. RFC 2217: the line settings "
        "are sent to the device server.");
    if (address) {
        host_->setText(toQString(address->host));
        protocol_->setCurrentIndex(address->protocol == NetworkProtocol::Rfc2217 ? 1 : 0);
    }
    (address ? server_ : local_)->setChecked(true);
    connect(local_, &QRadioButton::toggled, this, &CComPortDlg::showChoice);

    auto* fields = new QGridLayout;
    fields->addWidget(portLabel, 0, 0);
    fields->addWidget(portList_, 1, 0);
    auto* configRow = new QHBoxLayout;
    configRow->addWidget(configButton);
    // Test tries whatever is chosen below: a local port or a device server.
    configRow->addWidget(testButton_);
    configRow->addStretch();
    configRow->addWidget(icon);
    fields->addLayout(configRow, 2, 0);
    fields->addWidget(local_, 3, 0);
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addSpacing(fontMetrics().averageCharWidth() * 3);
    deviceRow->addWidget(deviceLabel);
    deviceRow->addWidget(device_, 1);
    fields->addLayout(deviceRow, 4, 0);
    fields->addWidget(server_, 5, 0);
    auto* serverRow = new QHBoxLayout;
    serverRow->addSpacing(fontMetrics().averageCharWidth() * 3);
    serverRow->addWidget(hostLabel);
    serverRow->addWidget(host_, 1);
    serverRow->addWidget(networkPortLabel);
    serverRow->addWidget(networkPort_);
    fields->addLayout(serverRow, 6, 0);
    auto* protocolRow = new QHBoxLayout;
    protocolRow->addSpacing(fontMetrics().averageCharWidth() * 3);
    protocolRow->addWidget(protocolLabel);
    protocolRow->addWidget(protocol_);
    protocolRow->addStretch();
    fields->addLayout(protocolRow, 7, 0);
    fields->setRowStretch(8, 1);
    showChoice();

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
    setTabOrder(configButton, testButton_);
    setTabOrder(testButton_, local_);
    setTabOrder(local_, device_);
    setTabOrder(device_, server_);
    setTabOrder(server_, host_);
    setTabOrder(host_, networkPort_);
    setTabOrder(networkPort_, protocol_);

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
    if (server_->isChecked()) {
        NetworkAddress address;
        address.protocol =
            protocol_->currentIndex() == 1 ? NetworkProtocol::Rfc2217 : NetworkProtocol::Raw;
        address.host = fromQString(host_->text().trimmed());
        if (address.host.size() > 2 && address.host.front() == '[' && address.host.back() == ']') {
            address.host = address.host.substr(1, address.host.size() - 2);
        }
        address.port = networkPort_->value();
        s.device = formatNetworkAddress(address);
    }
    return s;
}

void CComPortDlg::showChoice() {
    const bool network = server_->isChecked();
    device_->setEnabled(!network);
    host_->setEnabled(network);
    networkPort_->setEnabled(network);
    protocol_->setEnabled(network);
}

bool CComPortDlg::addressValid() {
    if (!server_->isChecked()) {
        return true;
    }
    std::string problem;
    if (!parseNetworkAddress(settings().device, problem)) {
        tell("The device server's address is not valid: " + problem + ".", PromptIcon::Warning);
        host_->setFocus();
        return false;
    }
    return true;
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
    if (!addressValid()) {
        return;
    }
    const SavedComPortFile saved = saveComPortSettings(settings());
    if (!saved.problem.empty()) {
        tell(kCannotCreatePortFileText, PromptIcon::None, saved.problem);
    }
    QDialog::accept();
}

void CComPortDlg::testConnection() {
    if (!addressValid()) {
        return;
    }
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
