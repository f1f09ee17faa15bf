#include "plu/PluListDlg.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "platform/OutsidePrograms.h"
#include "platform/ProcessStart.h"
#include "platform/Prompter.h"
#include "platform/WindowTitleBeacon.h"
#include "plu/PluEditDlg.h"
#include "plu/PluListHeader.h"
#include "plu/PluListModel.h"
#include "plu/PluRangeDlg.h"
#include "plu/PluTransfer.h"
#include "plu/PriceChangeDlg.h"
#include "plu/PriceListPrintDlg.h"
#include "plu/SelectPluDlg.h"
#include "widgets/ControlsState.h"
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
// Where the columns under the caption's words start, and the list's width, in columns.
const std::vector<int> kListColumnStarts = {0, 11, 54, 64, 76};
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

    // The header's sections start where the rows' text starts.
    header_ = new PluListHeader(
        list_->font(), kListColumnStarts,
        list_->frameWidth() + style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) +
            1,
        this);
    connect(header_, &PluListHeader::orderChanged, this, &CPluListDlg::onOrderChanged);

    const auto button = [this](const char* text, void (CPluListDlg::*slot)()) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    QPushButton* edit = button("Edit", &CPluListDlg::onEdit);
    edit->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(header_->sizeHint().height());
    buttons->addWidget(edit);
    buttons->addWidget(button("Del", &CPluListDlg::onDelete));
    buttons->addWidget(button("Add", &CPluListDlg::onAdd));
    buttons->addWidget(button("Change Prices", &CPluListDlg::onChangePrices));
    buttons->addSpacing(digit * 2);
    buttons->addWidget(button("Clear Scale", &CPluListDlg::onClearScale));
    buttons->addWidget(button("PC->Sc", &CPluListDlg::onSend));
    buttons->addWidget(button("Send selected", &CPluListDlg::onSendSelected));
    buttons->addWidget(button("Send changed", &CPluListDlg::onSendChanged));
    buttons->addWidget(button("Sc->PC", &CPluListDlg::onReceive));
    buttons->addSpacing(digit * 2);
    buttons->addWidget(button("Import/Export", &CPluListDlg::onImportExport));
    buttons->addWidget(button("Refresh", &CPluListDlg::onRefresh));
    buttons->addWidget(button("Print", &CPluListDlg::onPrint));
    buttons->addWidget(button("Restore Backup", &CPluListDlg::onRestoreBackup));
    buttons->addStretch(1);
    buttons->addWidget(button("Save/Exit", &CPluListDlg::onSaveExit));

    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(header_);
    left->addWidget(list_, 1);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);
    // Tab goes from Find over the column headers to the list, then to the buttons.
    setTabOrder(header_->lastInTabOrder(), list_);
    setTabOrder(list_, edit);
    list_->setFocus();
}

void CPluListDlg::showRow(std::optional<std::size_t> row) {
    if (!row) {
        return;
    }
    const int shown = model_->viewRow(*row);
    if (shown < 0) {
        return;  // the search leaves it out
    }
    const QModelIndex index = model_->index(shown);
    list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    list_->scrollTo(index);
}

void CPluListDlg::onEdit() {
    const int caret = list_->caretRow();
    if (caret < 0) {
        return;
    }
    showRow(table_.edit(model_->listRow(caret), [this](const PluValues& values) {
        return CPluEditDlg::run(values, this);
    }));
}

void CPluListDlg::onAdd() {
    showRow(table_.add([this](const PluValues& values) { return CPluEditDlg::run(values, this); }));
}

void CPluListDlg::onDelete() {
    const int caret = list_->caretRow();
    table_.deleteRows(selectedListRows(), caret < 0
                                              ? std::nullopt
                                              : std::optional<std::size_t>(model_->listRow(caret)));
    list_->clearSelection();
}

std::vector<std::size_t> CPluListDlg::selectedListRows() const {
    std::vector<std::size_t> rows;
    for (std::size_t shown : list_->selectedRows()) {
        rows.push_back(model_->listRow(static_cast<int>(shown)));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CPluListDlg::onOrderChanged() {
    // The caret's PLU stays the caret while it is shown.
    const int caret = list_->caretRow();
    const std::optional<std::size_t> caretRow =
        caret < 0 ? std::nullopt : std::optional<std::size_t>(model_->listRow(caret));
    model_->setOrder(header_->order());
    if (caretRow && model_->viewRow(*caretRow) >= 0) {
        showRow(caretRow);
    } else if (model_->rowCount() > 0) {
        // The first row found is the one "Edit" (and Enter) opens.
        showRow(model_->listRow(0));
    }
}

void CPluListDlg::onChangePrices() {
    CPriceChangeDlg::run(table_.list(), selectedListRows(), this);
}

void CPluListDlg::onPrint() {
    std::vector<std::size_t> shown;
    for (int r = 0; r < model_->rowCount(); ++r) {
        shown.push_back(model_->listRow(r));
    }
    CPriceListPrintDlg dialog(table_.list(), std::move(shown), this);
    dialog.exec();
}

void CPluListDlg::onClearScale() {
    clearScale();
}

void CPluListDlg::onSend() {
    const PluRange selected = rangeOfRows(table_.list(), list_->selectedRows());
    sendPlus(table_.list(), [this, selected] { return CPluRangeDlg::ask(this, selected); });
}

void CPluListDlg::onSendSelected() {
    std::vector<std::size_t> rows = selectedListRows();
    const int caret = list_->caretRow();
    if (rows.empty() && caret >= 0) {
        rows.push_back(model_->listRow(caret));  // as "Del" takes the caret row
    }
    if (!rows.empty()) {
        sendSelectedPlus(table_.list(), rows);
    }
}

void CPluListDlg::onSendChanged() {
    sendChangedPlus(table_.list());
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

void CPluListDlg::reject() {
    if (table_.hasUnsavedChanges() && !closeWithoutSaving([this] { onSaveExit(); })) {
        return;
    }
    QDialog::reject();
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
