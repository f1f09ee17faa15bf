#pragma once
// The main window: menu, toolbar, status bar with the clock, and the view. It keeps one piece
// of state, whether a scale has been selected since the start; until then every data command
// is disabled, because the data live in the selected scale's directory.

#include <QMainWindow>
#include <map>

#include "platform/ProcessStart.h"

class QLabel;
class QTimer;

namespace vorn {

class CQuelView;

inline constexpr const char* kIdleText = "7305 Data Management Tool";
inline constexpr const char* kWindowProperty = "vorn for usa v1.00";
inline constexpr const char* kFrameworkTitle = "vorn";
inline constexpr const char* kLabelEditorNotStartedText = "Cannot start the label layout editor.";
inline constexpr int kClockMilliseconds = 1000;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    bool scaleSelected() const { return scaleSelected_; }
    // The action of a command number (menu items, the two hidden commands, the toolbar's
    // clipboard buttons), or nullptr.
    QAction* commandAction(int command) const;
    CQuelView* view() const { return view_; }
    QLabel* datePane() const { return datePane_; }
    QLabel* timePane() const { return timePane_; }
    QLabel* idlePane() const { return idlePane_; }

    // Runs a command as its menu item would.
    void runCommand(int command);

private:
    QAction* makeAction(const char* caption, int command, const char* prompt);
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildFrameworkKeys();
    void nameOverflowButtons();
    void setScaleSelected();
    void applyGates();
    void updateClock();
    void selectScale();
    void startLabelEditor();
    // "Help &Topic": the user manual in the desktop's browser.
    void openUserManual();

    bool scaleSelected_ = false;
    std::map<int, QAction*> actions_;
    std::map<int, int> gates_;  // command -> Gate
    QToolBar* toolbar_ = nullptr;
    CQuelView* view_;
    QLabel* idlePane_ = nullptr;
    QLabel* datePane_ = nullptr;
    QLabel* timePane_ = nullptr;
    QTimer* clock_;
    ProcessStart labelEditor_;
};

}  // namespace vorn
