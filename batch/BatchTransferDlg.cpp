#include "batch/BatchTransferDlg.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "batch/BatchCategories.h"
#include "batch/KnownNumbersReader.h"
#include "comm/TransferDlg.h"
#include "comm/TransferHistory.h"
#include "platform/Prompter.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {
constexpr int kStepIntervalMs = 1000;
constexpr int kRowsPerColumn = 8;
}  // namespace

CBatchTransferDlg::CBatchTransferDlg(QWidget* parent)
    : QDialog(parent),
      link_(batchProgressDialog(), this),
      run_(batchCategories(), link_, BatchContext{nullptr, [this](const std::string& line) {
                                                      log_->addItem(toQString(line));
                                                      log_->scrollToBottom();
                                                  }}) {
    setWindowTitle("Communication");
    buildWidgets();
    const LoadedSelection loaded = loadSelection();
    selection_ = loaded.selection;
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning);
    }
    showSelection();
    // The end of a run says what it moved, and what failed, from the transfer history.
    run_.setObserver([this](const StepReport& report) {
        if (report.category == nullptr) {
            bool failed = false;
            const std::string summary = runSummary(runStart_, &failed);
            if (!summary.empty()) {
                tell(summary, failed ? PromptIcon::Warning : PromptIcon::Information);
            }
        }
    });
    link_.clearStepReady();
    timer_.setInterval(kStepIntervalMs);
    // A timer does not fire again while its own handler runs, and the step that opens the
    // progress dialog runs it modally until the run is over: so the handler only posts the
    // tick, and the later ticks of the run reach the machine inside the progress dialog's loop.
    connect(&timer_, &QTimer::timeout, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { run_.tick(); }, Qt::QueuedConnection);
    });
    timer_.start();
}

CBatchTransferDlg::~CBatchTransferDlg() {
    timer_.stop();
    // A run that was started but whose first step has not come yet goes with the dialog.
    if (run_.stepNumber() != 0 && link_.isBatchRunning() && !run_.progressOpen()) {
        link_.stop();
    }
}

void CBatchTransferDlg::buildWidgets() {
    auto* group = new QGroupBox("Select Items To Transfer", this);
    auto* grid = new QGridLayout(group);
    const std::vector<BatchCategory>& categories = batchCategories();
    for (std::size_t i = 0; i < categories.size(); ++i) {
        auto* check = new QCheckBox(QString::fromLatin1(categories[i].caption), group);
        check->setObjectName(categories[i].name);
        const int index = static_cast<int>(i);
        grid->addWidget(check, index % kRowsPerColumn, index / kRowsPerColumn);
        checks_.push_back(check);
    }
    grid->setHorizontalSpacing(24);

    auto button = [this](const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* selectAll = button("Select All");
    QPushButton* clearAll = button("Clear All");
    QPushButton* send = button("PC->Scale(&P)");
    QPushButton* receive = button("Scale->PC(&S)");
    QPushButton* ok = button("&Ok");
    QPushButton* cancel = button("&Cancel");
    ok->setDefault(true);
    connect(selectAll, &QPushButton::clicked, this, [this] {
        selection_.setAll(true);
        showSelection();
    });
    connect(clearAll, &QPushButton::clicked, this, [this] {
        selection_.setAll(false);
        showSelection();
    });
    connect(send, &QPushButton::clicked, this, [this] { startRun(BatchDirection::Send); });
    connect(receive, &QPushButton::clicked, this, [this] { startRun(BatchDirection::Receive); });
    connect(ok, &QPushButton::clicked, this, &CBatchTransferDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CBatchTransferDlg::reject);

    // The buttons of a column share one width, with room around the longest caption.
    int width = 0;
    for (QPushButton* b : {selectAll, clearAll, send, receive, ok, cancel}) {
        width = std::max(width, b->sizeHint().width());
    }
    for (QPushButton* b : {selectAll, clearAll, send, receive, ok, cancel}) {
        b->setMinimumWidth(width + b->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2);
    }

    auto* runButtons = new QVBoxLayout;
    runButtons->addWidget(selectAll);
    runButtons->addWidget(clearAll);
    runButtons->addSpacing(16);
    runButtons->addWidget(send);
    runButtons->addWidget(receive);
    runButtons->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(group, 1);
    top->addLayout(runButtons);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    // The log of the PLU send step: kept, never shown.
    log_ = new QListWidget(this);
    log_->setAccessibleName("Log");
    log_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CBatchTransferDlg::showSelection() {
    const std::vector<BatchCategory>& categories = batchCategories();
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        checks_[i]->setChecked(selection_.ticked(categories[i].slot));
    }
}

void CBatchTransferDlg::readSelection() {
    const std::vector<BatchCategory>& categories = batchCategories();
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        selection_.set(categories[i].slot, checks_[i]->isChecked());
    }
}

void CBatchTransferDlg::startRun(BatchDirection direction) {
    readSelection();
    if (direction == BatchDirection::Send &&
        !confirmSendDespite(
            batchSendReferenceProblems(selection_, readKnownNumbers(kEveryReferredTable)))) {
        return;
    }
    runStart_ = historyTime(realClock().localDateTime());
    run_.start(direction, selection_);
}

void CBatchTransferDlg::accept() {
    readSelection();
    const FileProblem problem = saveSelection(selection_);
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
        return;
    }
    QDialog::accept();
}

}  // namespace vorn
