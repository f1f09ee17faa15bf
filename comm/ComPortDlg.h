#pragma once
// "ComPort property": the port that leads to the scales and its line settings, stored in
// comport.ini on OK (where it was read, see ComPortSettings.h). Cancel stores nothing. "Test"
// tries the settings shown on the scale.

#include <QDialog>
#include <QStringList>
#include <chrono>
#include <functional>
#include <string>

#include "comm/ComPortSettings.h"
#include "platform/PortFailure.h"

class QComboBox;
class QPushButton;

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
    // The settings being edited (the file's when the dialog opened, then the changes).
    ComPortSettings settings() const;

    void accept() override;

    // How long "Test" waits for the scale (tests shorten it).
    void setTestTime(std::chrono::milliseconds time) { testTime_ = time; }

private:
    void configure();
    void testConnection();

    ComPortSettings settings_;
    QComboBox* portList_;
    QComboBox* device_;
    QPushButton* testButton_;
    std::chrono::milliseconds testTime_;
};

}  // namespace vorn
