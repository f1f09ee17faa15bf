#pragma once
// "ComPort property": the port that leads to the scales and its line settings, stored in
// comport.ini on OK (where it was read, see ComPortSettings.h). Cancel stores nothing. "Test"
// tries the settings shown on the scale. The scale is reached through a local port (a device,
// or the port number's) or through a serial device server on the network (host, port, raw or
// RFC 2217), whose address goes to the device field of comport.ini.

#include <QDialog>
#include <QStringList>
#include <chrono>
#include <functional>
#include <string>

#include "comm/ComPortSettings.h"
#include "platform/PortFailure.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vorn {

inline constexpr const char* kCannotCreatePortFileText = "Cant create commport file";
// After a device in the list that this user may not open.
inline constexpr const char* kNoPermissionMark = "  (no permission)";

// The serial devices present: /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* and the pseudo-terminals.
QStringList serialDeviceCandidates();

// Adds the devices to the list, each marked when access says the user may not open it. An entry
// holds its device path as data, which is what the field shows when it is chosen.
void addDeviceEntries(QComboBox* list, const QStringList& devices,
                      const std::function<DeviceAccess(const std::string&)>& access = deviceAccess);

class CComPortDlg : public QDialog {
    Q_OBJECT
public:
    explicit CComPortDlg(QWidget* parent = nullptr);

    QComboBox* portList() const { return portList_; }
    QComboBox* deviceField() const { return device_; }
    QPushButton* testButton() const { return testButton_; }
    QRadioButton* serverChoice() const { return server_; }
    QLineEdit* hostField() const { return host_; }
    QSpinBox* portField() const { return networkPort_; }
    QComboBox* protocolList() const { return protocol_; }
    // The settings being edited (the file's when the dialog opened, then the changes).
    ComPortSettings settings() const;

    void accept() override;

    // How long "Test" waits for the scale (tests shorten it).
    void setTestTime(std::chrono::milliseconds time) { testTime_ = time; }

private:
    void configure();
    void testConnection();
    void showChoice();
    // False (and the user told why) when a device server is chosen but its address is not valid.
    bool addressValid();

    ComPortSettings settings_;
    QComboBox* portList_;
    QComboBox* device_;
    QPushButton* testButton_;
    QRadioButton* local_;
    QRadioButton* server_;
    QLineEdit* host_;
    QSpinBox* networkPort_;
    QComboBox* protocol_;
    std::chrono::milliseconds testTime_;
};

}  // namespace vorn
