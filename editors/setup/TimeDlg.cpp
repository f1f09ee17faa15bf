#include "editors/setup/TimeDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

namespace {

constexpr int kTickMs = 1000;
constexpr const char* kDateRow = " MM    DD    YY   ";
constexpr const char* kTimeRow = " HH    MM    SS   ";
constexpr ClockRange kRanges[] = {clockrange::kMonth, clockrange::kDay,    clockrange::kYear,
                                  clockrange::kHour,  clockrange::kMinute, clockrange::kSecond};
constexpr const char* kNames[] = {"month", "day", "year", "hour", "minute", "second"};

int* valueOf(ClockValues& v, std::size_t i) {
    int* values[] = {&v.month, &v.day, &v.year, &v.hour, &v.minute, &v.second};
    return values[i];
}

}  // namespace

CTimeDlg::CTimeDlg(QWidget* parent, Clock& clock) : QDialog(parent), setting_(clock) {
    setWindowTitle("Time");
    buildWidgets();
    setting_.showPcTime();
    writeControls();
    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &CTimeDlg::onTick);
    connect(this, &QDialog::finished, timer_, &QTimer::stop);
    timer_->start();
}

void CTimeDlg::buildWidgets() {
    auto* mode = new QGroupBox("Mode", this);
    pcTime_ = new QRadioButton("PC Time", mode);
    setTime_ = new QRadioButton("Set Time", mode);
    auto* modeLayout = new QHBoxLayout(mode);
    modeLayout->addWidget(pcTime_);
    modeLayout->addWidget(setTime_);

    auto* timeSet = new QGroupBox("TimeSet", this);
    auto* grid = new QGridLayout(timeSet);
    grid->setHorizontalSpacing(12);
    const int spinWidth = fontMetrics().horizontalAdvance("0000") + 40;
    for (std::size_t i = 0; i < spins_.size(); ++i) {
        const int row = i < 3 ? 0 : 2;
        const int column = static_cast<int>(i % 3);
        const std::vector<CaptionPart> parts = captionParts(i < 3 ? kDateRow : kTimeRow);
        const QString caption = QString::fromLatin1(parts[static_cast<std::size_t>(column)].text);
        auto* label = new QLabel(caption, timeSet);
        auto* spin = new QSpinBox(timeSet);
        spin->setObjectName(kNames[i]);
        spin->setRange(kRanges[i].min, kRanges[i].max);
        spin->setAccessibleName(caption);
        spin->setMinimumWidth(spinWidth);
        // The values change only through the arrows.
        if (auto* edit = spin->findChild<QLineEdit*>()) {
            edit->setReadOnly(true);
        }
        label->setBuddy(spin);
        grid->addWidget(label, row, column);
        grid->addWidget(spin, row + 1, column);
        spins_[i] = spin;
    }
    grid->setRowMinimumHeight(2, fontMetrics().height() + 8);
    grid->setColumnStretch(3, 1);

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CTimeDlg::accept);
    auto* send = new QPushButton("PC->Sc", this);
    connect(send, &QPushButton::clicked, this, &CTimeDlg::onSend);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(send);
    buttons->addWidget(ok);

    auto* top = new QVBoxLayout(this);
    top->addWidget(mode);
    top->addWidget(timeSet);
    top->addLayout(buttons);
}

void CTimeDlg::readControls() {
    setting_.mode = setTime_->isChecked() ? ClockMode::SetTime : ClockMode::PcTime;
    for (std::size_t i = 0; i < spins_.size(); ++i) {
        *valueOf(setting_.values, i) = spins_[i]->value();
    }
}

void CTimeDlg::writeControls() {
    (setting_.mode == ClockMode::SetTime ? setTime_ : pcTime_)->setChecked(true);
    for (std::size_t i = 0; i < spins_.size(); ++i) {
        spins_[i]->setValue(*valueOf(setting_.values, i));
    }
}

void CTimeDlg::onTick() {
    readControls();
    setting_.tick();
    writeControls();
}

void CTimeDlg::onSend() {
    readControls();
    setting_.send();
}

}  // namespace vorn
