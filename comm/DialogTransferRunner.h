#pragma once
// The program's TransferRunner: runs CTransferDlg modally over the real engine, with the
// request's settings, owned by the given parent or else the active window.

#include <QPointer>
#include <QWidget>

#include <string>

#include "comm/TransferRunner.h"

namespace vorn {

class DialogTransferRunner : public TransferRunner {
public:
    explicit DialogTransferRunner(QWidget* parent = nullptr) : parent_(parent) {}

    void run(const TransferRequest& request) override;

    // A device instead of the port that comport.ini names (tests, a simulated scale).
    void setDevice(const std::string& device) { device_ = device; }
    // The result of the last modal run (QDialog::Accepted or Rejected).
    int lastResult() const { return lastResult_; }

private:
    QPointer<QWidget> parent_;
    std::string device_;
    int lastResult_ = 0;
};

}  // namespace vorn
