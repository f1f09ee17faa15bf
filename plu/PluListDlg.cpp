#include "plu/PluListDlg.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "platform/OutsidePrograms.h"
#include "platform/ProcessStart.h"
#include "platform/WindowTitleBeacon.h"
#include "plu/PluEditDlg.h"
#include "plu/PluListModel.h"
#include "plu/PluRangeDlg.h"
#include "plu/PluTransfer.h"
#include "plu/SelectPluDlg.h"
#include "widgets/TextRowView.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vorn {

namespace {

const char* const kListCaption =
    "  PLU      Description                                  Price     PLU type";
// Tab stops in character columns that put the display part's columns under the caption, both
// in the fixed-pitch font: the description under "Description" (column 11), the price ending
// under "Price" (columns 54 to 60) and the kind of item under "PLU type" (column 66).
const std::vector<int> kListTabStops = {11, 54, 66};
constexpr int kListColumns = 76;
constexpr int kListRows = 20;

// The import/export program this program started last; it outlives the dialog.
ProcessStart& importExportProcess() {
    static ProcessStart process;
    return process;
}

// A running import/export program is asked to close before another is started: the window of
// its title, wherever it was started from; else the program this one started last, which may
// not make its window known by its title.
void closeRunningImportExport() {
#ifdef Q_OS_WIN
    if (HWND window = FindWindowA(nullptr, kImportExportTitle)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return;
    }
#else
    if (requestWindowClose(QString::fromLatin1(kImportExportTitle))) {
        return;
    }
#endif
    importExportProcess().requestClose();
}

// The program that "Import/Export" starts: ../../TABSWAP where there is one, else the vorntab
// installed beside this program.
QString importExportProgram() {
    const QString outside = outsideProgramPath(QString::fromLatin1(kImportExportProgram));
    if (QFileInfo::exists(outside)) {
        return outside;
    }
    return programBesideThisOne(QString::fromLatin1(kInstalledImportExportProgram));
}

}  // namespace

CPluListDlg::CPluListDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("PLU List");
    buildWidgets();
    table_.load();
}

CPluListDlg::~CPluListDlg() {
    // The model leaves the list before the table goes.
    delete list_;
    delete model_;
}

void CPluListDlg::buildWidgets() {
    model_ = new PluListModel(table_.list());
    list_ = new TextRowView(this);
    list_->setObjectName("list");
    list_->setModel(model_);
    list_->setTabStops(kListTabStops, TabStopDelegate::Unit::Columns);
    list_->setAccessibleName(QString::fromLatin1(kListCaption).trimmed());
    const QFontMetrics metrics = list_->fontMetrics();
    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    const qreal column = QFontMetricsF(list_->font()).horizontalAdvance(QLatin1Char('0'));
    const int margins =
        2 * (list_->frameWidth() +
             style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1);
    list_->setMinimumSize(static_cast<int>(std::ceil(column * kListColumns)) + margins +
                              list_->verticalScrollBar()->sizeHint().width(),
                          metrics.lineSpacing() * kListRows);
    connect(list_, &QAbstractItemView::doubleClicked, this, &CPluListDlg::onEdit);

    auto* caption = new QLabel(QString::fromLatin1(kListCaption), this);
    caption->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    caption->setTextFormat(Qt::PlainText);
    // The caption's columns start where the rows' text starts.
    caption->setIndent(list_->frameWidth() +
                       style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1);

    const auto button = [this](const char* text, void (CPluListDlg::*slot)()) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    QPushButton* edit = button("Edit", &CPluListDlg::onEdit);
    edit->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(caption->sizeHint().height());
    buttons->addWidget(edit);
    buttons->addWidget(button("Del", &CPluListDlg::onDelete));
    buttons->addWidget(button("Add", &CPluListDlg::onAdd));
    buttons->addSpacing(digit * 2);
    buttons->addWidget(button("Clear Scale", &CPluListDlg::onClearScale));
    buttons->addWidget(button("PC->Sc", &CPluListDlg::onSend));
    buttons->addWidget(button("Sc->PC", &CPluListDlg::onReceive));
    buttons->addSpacing(digit * 2);
    buttons->addWidget(button("Import/Export", &CPluListDlg::onImportExport));
    buttons->addWidget(button("Refresh", &CPluListDlg::onRefresh));
    buttons->addWidget(button("Restore Backup", &CPluListDlg::onRestoreBackup));
    buttons->addStretch(1);
    buttons->addWidget(button("Save/Exit", &CPluListDlg::onSaveExit));

    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(caption);
    left->addWidget(list_, 1);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);
    list_->setFocus();
}

void CPluListDlg::showRow(std::optional<std::size_t> row) {
    if (!row) {
        return;
    }
    const QModelIndex index = model_->index(static_cast<int>(*row));
    list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    list_->scrollTo(index);
}

void CPluListDlg::onEdit() {
    const int caret = list_->caretRow();
    if (caret < 0) {
        return;
    }
    showRow(table_.edit(static_cast<std::size_t>(caret), [this](const PluValues& values) {
        return CPluEditDlg::run(values, this);
    }));
}

void CPluListDlg::onAdd() {
    showRow(table_.add([this](const PluValues& values) { return CPluEditDlg::run(values, this); }));
}

void CPluListDlg::onDelete() {
    const int caret = list_->caretRow();
    table_.deleteRows(list_->selectedRows(),
                      caret < 0 ? std::nullopt : std::optional<std::size_t>(caret));
    list_->clearSelection();
}

void CPluListDlg::onClearScale() {
    clearScale();
}

void CPluListDlg::onSend() {
    sendPlus(table_.list(), [this] { return CPluRangeDlg::ask(this); });
}

void CPluListDlg::onReceive() {
    receivePlus(table_, [this] { return CSelectPluDlg::choose(this); });
}

void CPluListDlg::onImportExport() {
    if (!table_.save()) {
        return;  // the program would find an old file
    }
    pluReloadPending() = true;
    importExportStarted_ = true;
    closeRunningImportExport();
    // A program that cannot be started is not reported; the list still reloads when it is
    // next painted.
    importExportProcess().start(importExportProgram());
}

void CPluListDlg::onRefresh() {
    table_.load();
}

void CPluListDlg::onRestoreBackup() {
    if (restorePluBackup()) {
        table_.load();
    }
}

void CPluListDlg::onSaveExit() {
    if (table_.save()) {
        accept();
    }
}

void CPluListDlg::reloadIfPending() {
    // Once the import/export program has been started, every return to the list shows what it
    // wrote since: the user may come back before importing, and again after.
    if (!pluReloadPending() && !(importExportStarted_ && table_.fileChangedSinceLoadOrSave())) {
        return;
    }
    pluReloadPending() = false;
    // After the activation: the reload may show a message box.
    QTimer::singleShot(0, this, &CPluListDlg::onRefresh);
}

void CPluListDlg::keyPressEvent(QKeyEvent* e) {
    // The Delete key anywhere in the dialog (the controls pass it on) deletes rows.
    if (e->key() == Qt::Key_Delete) {
        onDelete();
    }
    QDialog::keyPressEvent(e);
}

void CPluListDlg::mousePressEvent(QMouseEvent* e) {
    // A click on the dialog's own surface, outside every control.
    list_->clearSelection();
    QDialog::mousePressEvent(e);
}

bool CPluListDlg::event(QEvent* e) {
    // The list reloads when the user comes back to it from another program, not on every
    // paint: a paint also follows the click on "Import/Export" itself, or the close of the
    // editor, and a reload then would lose what the other program writes, or the PLU just
    // added.
    if (e->type() == QEvent::WindowDeactivate && QApplication::activeWindow() == nullptr) {
        leftForAnotherProgram_ = true;
    } else if (e->type() == QEvent::WindowActivate && leftForAnotherProgram_) {
        leftForAnotherProgram_ = false;
        reloadIfPending();
    }
    return QDialog::event(e);
}

}  // namespace vorn
