#include "editors/code/DiscountDlg.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "editors/kit/TableButtons.h"
#include "platform/Prompter.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {

// A rate field holds a sign, two digits, a point and two decimals.
constexpr int kRateColumns = 6;

enum Column { kNumberColumn, kRateColumn, kPercentColumn, kDisplayedColumn, kPrintedColumn };

QLineEdit* textField(QWidget* parent, int columns, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    field->setAccessibleName(name);
    const int cw = field->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    field->setMinimumWidth(cw * (columns + 2));
    return field;
}

}  // namespace

CDiscountDlg::CDiscountDlg(QWidget* parent) : TableDlg(parent) {
    setWindowTitle(QStringLiteral("Discount Numbers"));
    buildWidgets();
    table_.open();
    writeFields();
}

void CDiscountDlg::buildWidgets() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const auto caption = [this, grid](const char* text, int column, Qt::Alignment align) {
        grid->addWidget(new QLabel(QString::fromLatin1(text), this), 0, column, align);
    };
    caption("No.", kNumberColumn, Qt::AlignCenter);
    caption("Discount", kRateColumn, Qt::AlignRight);
    caption("Displayed Text", kDisplayedColumn, Qt::AlignLeft);
    caption("Printed Text", kPrintedColumn, Qt::AlignLeft);

    const auto textWidth = static_cast<int>(discount::kTextWidth);
    for (int k = 1; k <= discount::kRows; ++k) {
        const QString n = QString::number(k);
        RowFields& row = fields_[static_cast<std::size_t>(k - 1)];
        row.rate = textField(this, kRateColumns, "Discount " + n);
        row.rate->setObjectName("rate" + n);
        row.rate->setAlignment(Qt::AlignRight);
        row.rate->setMaxLength(kRateColumns);
        row.rate->setFixedWidth(row.rate->minimumWidth());
        row.rate->setValidator(new QRegularExpressionValidator(
            QRegularExpression(R"([+-]?[0-9]{0,2}(\.[0-9]{0,2})?)"), row.rate));
        row.displayed = textField(this, textWidth, "Displayed Text " + n);
        row.displayed->setObjectName("displayed" + n);
        row.displayed->setMaxLength(textWidth);
        row.printed = textField(this, textWidth, "Printed Text " + n);
        row.printed->setObjectName("printed" + n);
        row.printed->setMaxLength(textWidth);
        grid->addWidget(new QLabel(n, this), k, kNumberColumn, Qt::AlignCenter);
        grid->addWidget(row.rate, k, kRateColumn);
        grid->addWidget(new QLabel(QStringLiteral("%"), this), k, kPercentColumn);
        grid->addWidget(row.displayed, k, kDisplayedColumn);
        grid->addWidget(row.printed, k, kPrintedColumn);
    }
    grid->setColumnStretch(kDisplayedColumn, 1);
    grid->setColumnStretch(kPrintedColumn, 1);

    const TableButtons buttons = tableButtons(
        this, CancelPlace::AfterOk, [this] { onOk(); }, [this] { onSend(); },
        [this] { onReceive(); });

    auto* fields = new QVBoxLayout;
    fields->addLayout(grid);
    fields->addStretch(1);
    auto* top = new QHBoxLayout(this);
    top->addLayout(fields, 1);
    top->addLayout(buttons.layout);

    // Tab goes along each row, then down to the next one, then down the buttons.
    QWidget* previous = nullptr;
    for (const RowFields& row : fields_) {
        for (QWidget* w : {static_cast<QWidget*>(row.rate), static_cast<QWidget*>(row.displayed),
                           static_cast<QWidget*>(row.printed)}) {
            if (previous != nullptr) {
                setTabOrder(previous, w);
            }
            previous = w;
        }
    }
}

bool CDiscountDlg::readFields() {
    DiscountRows rows = table_.rows();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const std::optional<int> rate = parseDiscountRate(fromQString(fields_[i].rate->text()));
        if (!rate) {
            tell(badDiscountRateMessage(static_cast<int>(i + 1)), PromptIcon::Warning);
            fields_[i].rate->setFocus();
            fields_[i].rate->selectAll();
            return false;
        }
        rows[i] = {*rate, fromQString(fields_[i].displayed->text()),
                   fromQString(fields_[i].printed->text())};
    }
    table_.rows() = rows;
    return true;
}

void CDiscountDlg::writeFields() {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const DiscountRow& row = table_.rows()[i];
        fields_[i].rate->setText(toQString(discountRateText(row.rate)));
        fields_[i].displayed->setText(toQString(row.displayed));
        fields_[i].printed->setText(toQString(row.printed));
    }
}

void CDiscountDlg::onOk() {
    if (readFields() && table_.save()) {
        accept();
    }
}

void CDiscountDlg::onSend() {
    if (readFields()) {
        table_.send();
    }
}

void CDiscountDlg::onReceive() {
    table_.receive();
    writeFields();
}

}  // namespace vorn
