#include "plu/PriceListPrintDlg.h"

#include <QButtonGroup>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "plu/PriceChange.h"
#include "plu/PriceList.h"
#include "plu/PriceListPainter.h"
#include "widgets/QtText.h"

namespace vorn {

CPriceListPrintDlg::CPriceListPrintDlg(const PluList& list, std::vector<std::size_t> shown,
                                       QWidget* parent)
    : QDialog(parent), list_(list), shown_(std::move(shown)) {
    setWindowTitle("Print Price List");
    all_ = new QRadioButton(QString("&All PLUs (%1)").arg(list_.size()), this);
    found_ = new QRadioButton(QString("The rows &shown (%1)").arg(shown_.size()), this);
    group_ = new QRadioButton("&Group:", this);
    groupNumber_ = new QLineEdit(this);
    groupNumber_->setObjectName("group");
    groupNumber_->setAccessibleName("Group");
    groupNumber_->setMaximumWidth(fontMetrics().horizontalAdvance('0') * 8);
    auto* choice = new QButtonGroup(this);
    for (QRadioButton* b : {all_, found_, group_}) {
        choice->addButton(b);
    }
    all_->setChecked(true);
    connect(groupNumber_, &QLineEdit::textEdited, this, [this] { group_->setChecked(true); });

    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(group_);
    groupRow->addWidget(groupNumber_);
    groupRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton("&Print...", QDialogButtonBox::ActionRole);
    QPushButton* pdf = buttons->addButton("Save as P&DF...", QDialogButtonBox::ActionRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, &CPriceListPrintDlg::onPrint);
    connect(pdf, &QPushButton::clicked, this, &CPriceListPrintDlg::onSavePdf);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("PLUs on the price list:", this));
    layout->addWidget(all_);
    layout->addWidget(found_);
    layout->addLayout(groupRow);
    layout->addSpacing(8);
    layout->addWidget(buttons);
}

std::vector<std::size_t> CPriceListPrintDlg::chosenRows() const {
    if (found_->isChecked()) {
        return shown_;
    }
    if (group_->isChecked()) {
        const std::optional<std::int64_t> number =
            parseHundredths(fromQString(groupNumber_->text()));
        if (!number || *number < 0 || *number % 100 != 0) {
            return {};
        }
        return rowsOfGroup(list_, static_cast<int>(*number / 100));
    }
    std::vector<std::size_t> rows(list_.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = i;
    }
    return rows;
}

std::string CPriceListPrintDlg::heading() const {
    const QDir scale = QDir::current();
    const QString store = QFileInfo(scale.absolutePath()).dir().dirName();
    return priceListHeading(fromQString(store), fromQString(scale.dirName()),
                            fromQString(QDate::currentDate().toString(Qt::ISODate)));
}

bool CPriceListPrintDlg::saveAsPdf(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (!paintPriceList(printer, heading(), priceListRows(list_, chosenRows()))) {
        tell("Can't write " + fromQString(path) + "!", PromptIcon::Error);
        return false;
    }
    return true;
}

void CPriceListPrintDlg::onPrint() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (paintPriceList(printer, heading(), priceListRows(list_, chosenRows()))) {
        accept();
    } else {
        tell("The price list could not be printed.", PromptIcon::Error);
    }
}

void CPriceListPrintDlg::onSavePdf() {
    const QString path =
        QFileDialog::getSaveFileName(this, "Save as PDF", "pricelist.pdf", "PDF files (*.pdf)");
    if (!path.isEmpty() && saveAsPdf(path)) {
        accept();
    }
}

}  // namespace vorn
