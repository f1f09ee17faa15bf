#include "comm/HistoryDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "comm/TransferHistory.h"

namespace vorn {

namespace {

QString text(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

CHistoryDlg::CHistoryDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Transfer History");
    auto* caption = new QLabel("&Transfers, newest first", this);
    auto* list = new QTreeWidget(this);
    list->setObjectName("history");
    list->setAccessibleName("Transfers, newest first");
    caption->setBuddy(list);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({"Time", "Direction", "Table", "Records", "Outcome"});
    const std::vector<HistoryEntry> entries = loadHistory();
    for (const HistoryEntry& e : entries) {
        auto* row = new QTreeWidgetItem(list, {text(e.time), text(e.direction), text(e.table),
                                               QString::number(e.records), text(e.outcome)});
        row->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        row->setToolTip(4, text(e.outcome));
    }
    if (entries.empty()) {
        new QTreeWidgetItem(
            list, {QString(), QString(), QString(), QString(), "No transfer of this scale yet"});
    }
    for (int column = 0; column < 4; ++column) {
        list->resizeColumnToContents(column);
    }
    // Room for the longest outcomes (what failed, and which records reached the scale).
    list->setMinimumSize(list->fontMetrics().averageCharWidth() * 150,
                         list->fontMetrics().lineSpacing() * 18);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
}

}  // namespace vorn
