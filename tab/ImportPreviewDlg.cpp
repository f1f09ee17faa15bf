#include "tab/ImportPreviewDlg.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace vorn {

namespace {

// A read-only table whose cells a function gives: the plan's rows are shown where they are,
// however many there are.
class CellsModel : public QAbstractTableModel {
public:
    using Cell = std::function<QString(std::size_t row, int column)>;
    CellsModel(QStringList headers, std::size_t rows, Cell cell, QObject* parent)
        : QAbstractTableModel(parent),
          headers_(std::move(headers)),
          rows_(static_cast<int>(rows)),
          cell_(std::move(cell)) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(headers_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
            return {};
        }
        return cell_(static_cast<std::size_t>(index.row()), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers_.size()) {
            return headers_[section];
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    QStringList headers_;
    int rows_;
    Cell cell_;
};

QString number(std::size_t n) {
    return QLocale().toString(static_cast<qulonglong>(n));
}

QString utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString joined(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list << utf8(name);
    }
    return list.join(", ");
}

// One of the four counts: the number large, its word beneath.
QWidget* countBox(const QString& word, std::size_t n, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* value = new QLabel(number(n), box);
    QFont big = value->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    value->setFont(big);
    value->setAlignment(Qt::AlignCenter);
    auto* label = new QLabel(word, box);
    label->setAlignment(Qt::AlignCenter);
    value->setAccessibleName(word);
    layout->addWidget(value);
    layout->addWidget(label);
    return box;
}

}  // namespace

ImportPreviewDlg::ImportPreviewDlg(const ImportPlan& plan, const QString& fileName, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Import Preview - " + fileName);

    auto* reading = new QFormLayout;
    reading->addRow("File:", new QLabel(fileName, this));
    reading->addRow("Read as:", new QLabel(utf8(readingText(plan)), this));
    auto* columns = new QLabel(joined(plan.columns), this);
    columns->setWordWrap(true);
    reading->addRow("PLU columns:", columns);
    if (!plan.ignoredColumns.empty()) {
        auto* ignored = new QLabel(joined(plan.ignoredColumns), this);
        ignored->setWordWrap(true);
        reading->addRow("Left out (no PLU field):", ignored);
    }
    if (!plan.notes.empty()) {
        QString kept;
        for (const ImportNote& note : plan.notes) {
            kept += (kept.isEmpty() ? "" : "\n") + utf8(noteText(note)) + ".";
        }
        auto* notes = new QLabel(kept, this);
        notes->setWordWrap(true);
        notes->setTextFormat(Qt::PlainText);
        reading->addRow("Kept as they were:", notes);
    }

    auto* counts = new QHBoxLayout;
    counts->addWidget(countBox("PLUs added", plan.added, this));
    counts->addWidget(countBox("PLUs changed", plan.changed, this));
    counts->addWidget(countBox("PLUs unchanged", plan.unchanged, this));
    counts->addWidget(countBox("Rows rejected", plan.rejected.size(), this));

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("tabs");
    QTableView* rejected = table("rejected", "Rejected rows");
    rejected->setModel(new CellsModel(
        {plan.workbook() ? "Row" : "Line", "PLU No.", "Reason"}, plan.rejected.size(),
        [&plan](std::size_t row, int column) {
            const ImportRejection& r = plan.rejected[row];
            switch (column) {
                case 0:
                    return QString::number(r.line);
                case 1:
                    return utf8(r.pluNumber);
                default:
                    return utf8(r.reason);
            }
        },
        rejected));
    QTableView* changes = table("changes", "Changes");
    changes->setModel(new CellsModel(
        {plan.workbook() ? "Row" : "Line", "PLU No.", "Description", "What changes"},
        plan.changes.size(),
        [&plan](std::size_t row, int column) {
            const ImportChange& c = plan.changes[row];
            switch (column) {
                case 0:
                    return QString::number(c.line);
                case 1:
                    return QString::number(c.pluNumber);
                case 2:
                    return utf8(c.description);
                default:
                    return utf8(c.what);
            }
        },
        changes));
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (QTableView* view : {rejected, changes}) {
        view->resizeColumnsToContents();
        view->horizontalHeader()->setStretchLastSection(true);
    }
    // Room for a description of the editor's length without widening every row.
    changes->setColumnWidth(2, std::max(changes->columnWidth(2), digit * 24));
    tabs->addTab(rejected, "Rejected rows (" + number(plan.rejected.size()) + ")");
    tabs->addTab(changes, "Changes (" + number(plan.changes.size()) + ")");
    tabs->setCurrentWidget(plan.rejected.empty() ? changes : rejected);

    QString note;
    if (!plan.writes()) {
        note = "Nothing to import: no row adds or changes a PLU. plurec.dat stays as it is.";
    } else if (!plan.rejected.empty()) {
        note =
            "Import saves the added and changed PLUs in plurec.dat; the rejected rows are "
            "left out. Cancel saves nothing.";
    } else {
        note = "Import saves the added and changed PLUs in plurec.dat. Cancel saves nothing.";
    }
    auto* noteLabel = new QLabel(note, this);
    noteLabel->setObjectName("note");
    noteLabel->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* import = buttons->addButton("&Import", QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    import->setEnabled(plan.writes());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(reading);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(counts);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(tabs, 1);
    layout->addWidget(noteLabel);
    layout->addWidget(buttons);

    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    resize(em * 66, fontMetrics().height() * 34);
}

QTableView* ImportPreviewDlg::table(const char* name, const QString& accessibleName) {
    auto* view = new QTableView(this);
    view->setObjectName(name);
    view->setAccessibleName(accessibleName);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->setAlternatingRowColors(true);
    view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The parts of the table that the accessibility layer reaches on their own.
    view->horizontalHeader()->setAccessibleName(accessibleName + " column headers");
    view->verticalHeader()->setAccessibleName(accessibleName + " row headers");
    for (QAbstractButton* corner : view->findChildren<QAbstractButton*>()) {
        corner->setAccessibleName("Select all");
    }
    return view;
}

}  // namespace vorn
