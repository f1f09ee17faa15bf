#pragma once
// The application object: the single-instance guard, the profile settings, the document and
// the main window, shown maximised with the start-up picture. While it runs, transfers go
// through the progress dialog over the real engine.

#include <QObject>
#include <memory>

#include "comm/DialogTransferRunner.h"
#include "editors/kit/TableReferences.h"
#include "shell/QuelDoc.h"
#include "shell/SingleInstance.h"

namespace vorn {

class CMainFrame;

inline constexpr const char* kProfileKey = "Local AppWizard-Generated Applications";

class CQuelApp : public QObject {
    Q_OBJECT
public:
    CQuelApp();
    ~CQuelApp() override;

    // Start-up; false when the program is to end at once (another instance runs).
    bool initInstance();
    // Releases the instance guard.
    void exitInstance();

    CMainFrame* mainFrame() const { return frame_.get(); }

private:
    SingleInstance instance_;
    DialogTransferRunner transferRunner_;
    TransferRunner* previousRunner_ = nullptr;
    // The tables' numbers for the checks of what one table names in another.
    KnownNumbersReader previousNumbersReader_ = nullptr;
    bool runnerInstalled_ = false;
    CQuelDoc document_;
    std::unique_ptr<CMainFrame> frame_;
    bool splashFlag_ = true;
};

}  // namespace vorn
