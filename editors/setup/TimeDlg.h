#pragma once
// CTimeDlg: "Time". "PC Time" follows the PC's clock every second (also while a transfer's
// progress dialog runs over it); "Set Time" keeps what the six spins are set to. "PC->Sc" sends
// the date and time; OK and Cancel only close. Every rule is in ClockSetting.

#include <array>

#include <QDialog>

#include "editors/setup/DateTimeRecord.h"

class QRadioButton;
class QSpinBox;
class QTimer;

namespace vorn {

class CTimeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTimeDlg(QWidget* parent = nullptr, Clock& clock = realClock());

    const ClockSetting& setting() const { return setting_; }

private:
    void buildWidgets();
    void readControls();
    void writeControls();

    void onTick();
    void onSend();

    ClockSetting setting_;
    QRadioButton* pcTime_ = nullptr;
    QRadioButton* setTime_ = nullptr;
    // Month, day, year, hour, minute, second.
    std::array<QSpinBox*, 6> spins_{};
    QTimer* timer_ = nullptr;
};

}  // namespace vorn
