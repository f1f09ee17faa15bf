#include <QAbstractButton>
#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "comm/ComPortDlg.h"
#include "platform/OutsidePrograms.h"
#include "platform/ProgramDirectory.h"
#include "platform/Prompter.h"
#include "res/Artwork.h"
#include "shell/AboutDlg.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/MainFrame.h"
#include "shell/QuelView.h"
#include "shell/SelectScaleDlg.h"
#include "shell/SingleInstance.h"
#include "shell/StatusClock.h"
#include "shell/UserManual.h"

namespace vorn {

namespace {
// "Select &Scale" becomes "actionSelectScale".
QString actionObjectName(const char* caption) {
    QString name = QString::fromUtf8(caption);
    name.remove('&').remove(' ').remove('.');
    return "action" + name;
}

// Shows a hidden bar or hides a shown one, and checks its menu item when it is shown. Whether
// the bar was hidden is asked of the bar itself, not of its visibility on screen, so that this
// also holds while the main window is minimised or not yet shown.
void toggleBar(QWidget* bar, QAction* item) {
    const bool show = bar->isHidden();
    bar->setVisible(show);
    item->setChecked(show);
}

QLabel* lockPane(QWidget* parent, const char* text) {
    auto* pane = new QLabel(QString::fromLatin1(text), parent);
    // Qt cannot read the state of the lock keys on every platform; the panes stay greyed.
    pane->setEnabled(false);
    pane->setToolTip("The state of this lock key is not known here");
    return pane;
}
}  // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), view_(new CQuelView(this)), clock_(new QTimer(this)) {
    setWindowTitle(kFrameworkTitle);
    setWindowIcon(artwork::applicationIcon());
    setCentralWidget(view_);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildFrameworkKeys();
    nameOverflowButtons();
    applyGates();
    connect(clock_, &QTimer::timeout, this, &CMainFrame::updateClock);
    clock_->start(kClockMilliseconds);
    updateClock();
    view_->setFocus();
}

QAction* CMainFrame::makeAction(const char* caption, int command, const char* prompt) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setData(command);
    action->setObjectName(actionObjectName(caption));
    const QString text = QString::fromUtf8(prompt);
    const QString statusTip = text.section('\n', 0, 0);
    action->setStatusTip(statusTip);
    if (text.contains('\n')) {
        action->setToolTip(text.section('\n', 1));
    }
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    actions_[command] = action;
    return action;
}

void CMainFrame::buildMenus() {
    QMenu* menu = nullptr;
    QMenu* submenu = nullptr;
    const char* menuCaption = nullptr;
    const char* submenuCaption = nullptr;
    for (const MenuItem& item : menuItems()) {
        QAction* action = makeAction(item.caption, item.command, item.prompt);
        gates_[item.command] = static_cast<int>(item.gate);
        if (!item.menu) {
            menuBar()->addAction(action);
            menu = nullptr;
            menuCaption = nullptr;
            continue;
        }
        if (!menu || menuCaption != item.menu) {
            menu = menuBar()->addMenu(QString::fromUtf8(item.menu));
            menuCaption = item.menu;
            submenu = nullptr;
            submenuCaption = nullptr;
        }
        QMenu* target = menu;
        if (item.submenu) {
            if (!submenu || submenuCaption != item.submenu) {
                submenu = menu->addMenu(QString::fromUtf8(item.submenu));
                submenuCaption = item.submenu;
            }
            target = submenu;
        }
        target->addAction(action);
        if (item.separatorAfter) {
            target->addSeparator();
        }
    }
    for (const HiddenCommand& hidden : hiddenCommands()) {
        QAction* action = makeAction(hidden.name, hidden.command, hidden.prompt);
        gates_[hidden.command] = static_cast<int>(hidden.gate);
        addAction(action);
    }
    actions_[command::kToolbar]->setCheckable(true);
    actions_[command::kToolbar]->setChecked(true);
    actions_[command::kStatusBar]->setCheckable(true);
    actions_[command::kStatusBar]->setChecked(true);
}

void CMainFrame::buildToolbar() {
    using artwork::ToolbarImage;
    toolbar_ = addToolBar("Toolbar");
    toolbar_->setObjectName("toolbar");
    toolbar_->setIconSize(QSize(16, 15));
    toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
    // The toolbar can also be closed from the window's context menu: "&Toolbar" follows it.
    connect(toolbar_->toggleViewAction(), &QAction::toggled, actions_[command::kToolbar],
            &QAction::setChecked);
    auto add = [this](QAction* action, ToolbarImage image, const char* tip) {
        action->setIcon(QIcon(artwork::toolbarImage(image)));
        action->setToolTip(QString::fromLatin1(tip));
        toolbar_->addAction(action);
    };
    add(actions_[command::kSelectScale], ToolbarImage::SelectScale, "Select Scale");
    add(actions_[command::kExit], ToolbarImage::Exit, "Exit");
    add(actions_[command::kAbout], ToolbarImage::About, "About");
    toolbar_->addSeparator();
    // The clipboard buttons have no handler anywhere and stay disabled.
    const struct {
        const char* caption;
        int command;
        ToolbarImage image;
    } clipboard[] = {{"Cut", 57635, ToolbarImage::Cut},
                     {"Copy", 57634, ToolbarImage::Copy},
                     {"Paste", 57637, ToolbarImage::Paste}};
    for (const auto& c : clipboard) {
        QAction* action = makeAction(c.caption, c.command, "");
        gates_[c.command] = static_cast<int>(Gate::Never);
        add(action, c.image, c.caption);
    }
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    idlePane_ = new QLabel(QString::fromLatin1(kIdleText), bar);
    bar->addWidget(idlePane_, 1);
    bar->addPermanentWidget(lockPane(bar, "CAP"));
    bar->addPermanentWidget(lockPane(bar, "NUM"));
    bar->addPermanentWidget(lockPane(bar, "SCRL"));
    datePane_ = new QLabel(bar);
    datePane_->setAccessibleName("Date");
    timePane_ = new QLabel(bar);
    timePane_->setAccessibleName("Time");
    bar->addPermanentWidget(datePane_);
    bar->addPermanentWidget(timePane_);
}

void CMainFrame::buildFrameworkKeys() {
    // New, open, save and print of the empty document: the document holds nothing, so these
    // keys do nothing at all and touch no scale data.
    const struct {
        const char* name;
        QKeySequence::StandardKey key;
    } keys[] = {{"New", QKeySequence::New},
                {"Open", QKeySequence::Open},
                {"Save", QKeySequence::Save},
                {"Print", QKeySequence::Print}};
    for (const auto& k : keys) {
        auto* action = new QAction(QString::fromLatin1(k.name), this);
        action->setObjectName(QString("actionDocument") + k.name);
        action->setShortcut(k.key);
        addAction(action);
    }
}

void CMainFrame::nameOverflowButtons() {
    // The buttons that Qt shows when the window is too narrow for the whole menu bar or
    // toolbar carry only an arrow: give them names for the accessibility layer.
    const struct {
        const char* objectName;
        const char* accessibleName;
    } buttons[] = {{"qt_menubar_ext_button", "More menus"},
                   {"qt_toolbar_ext_button", "More toolbar buttons"}};
    for (const auto& b : buttons) {
        if (auto* button = findChild<QAbstractButton*>(b.objectName)) {
            button->setAccessibleName(b.accessibleName);
        }
    }
}

QAction* CMainFrame::commandAction(int command) const {
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::applyGates() {
    for (const auto& [command, gate] : gates_) {
        bool enabled = true;
        switch (static_cast<Gate>(gate)) {
            case Gate::Scale:
                enabled = scaleSelected_;
                break;
            case Gate::Always:
                enabled = true;
                break;
            case Gate::Never:
                enabled = false;
                break;
        }
        actions_[command]->setEnabled(enabled);
    }
}

void CMainFrame::setScaleSelected() {
    scaleSelected_ = true;
    applyGates();
}

void CMainFrame::updateClock() {
    const std::tm now = localTimeNow();
    datePane_->setText(QString::fromLatin1(datePaneText(now)));
    timePane_->setText(QString::fromLatin1(timePaneText(now)));
}

void CMainFrame::runCommand(int command) {
    QAction* action = commandAction(command);
    if (action && !action->isEnabled()) {
        return;
    }
    switch (command) {
        case command::kSelectScale:
            selectScale();
            return;
        case command::kExit:
            close();
            return;
        case command::kToolbar:
            toggleBar(toolbar_, actions_[command]);
            return;
        case command::kStatusBar:
            toggleBar(statusBar(), actions_[command]);
            return;
        case command::kCommPortSetup: {
            CComPortDlg dialog(this);
            dialog.exec();
            return;
        }
        case command::kAbout: {
            CAboutDlg dialog(this);
            dialog.exec();
            return;
        }
        case command::kLabelDefine:
            startLabelEditor();
            return;
        case command::kHelpTopic:
            openUserManual();
            return;
        default:
            break;
    }
    for (const CommandDialog& entry : commandDialogs()) {
        if (entry.command == command && entry.open) {
            entry.open(this);
            return;
        }
    }
}

void CMainFrame::selectScale() {
    const QString titleBefore = windowTitle();
    CSelectScaleDlg dialog(this);
    const bool chosen =
        dialog.exec() == QDialog::Accepted && dialog.noScale() == 0 && dialog.scaleChosen();
    if (chosen) {
        setScaleSelected();
    } else if (scaleSelected_) {
        // The previous scale stays current: so does its title.
        setWindowTitle(titleBefore);
    }
}

void CMainFrame::startLabelEditor() {
    if (labelEditor_.running()) {
        tell(kAlreadyRunningText);
        return;
    }
    const QString program = outsideProgramPath(kLabelEditorProgram);
    if (!labelEditor_.start(program)) {
        tell(kLabelEditorNotStartedText, PromptIcon::Error,
             "The label layout editor FORMPAD is looked for in the base directory of stores and "
             "scales, as " +
                 program.toStdString() + " from the scale's directory.\n" +
                 startFailureText(program).toStdString());
    }
}

void CMainFrame::openUserManual() {
    const QString path = QString::fromStdString(userManualPath(programDirectory()));
    if (!QFileInfo::exists(path)) {
        tell(kUserManualMissingText, PromptIcon::Error,
             "It is looked for as " + path.toStdString() +
                 ", which the program's package installs.");
        return;
    }
    // The desktop's browser shows it.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        tell(kUserManualNotOpenedText, PromptIcon::Error,
             "No program to show " + path.toStdString() + " was found.");
    }
}

}  // namespace vorn
