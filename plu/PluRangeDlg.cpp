#include "plu/PluRangeDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {
constexpr int kLargestPlu = 999999;
const char* const kNotAnInteger = "Please enter an integer.";
const char* const kOutOfRange = "Please enter an integer between 0 and 999999.";
}  // namespace

RangeFieldValue rangeFieldValue(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        return {0, kNotAnInteger};
    }
    std::string_view number(text.data() + first, last - first + 1);
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) {
        return {0, kNotAnInteger};
    }
    number.remove_prefix(std::min(number.find_first_not_of('0'), number.size()));
    if (number.size() > 6 || (negative && !number.empty())) {
        return {0, kOutOfRange};
    }
    const int value = number.empty() ? 0 : std::stoi(std::string(number));
    return {value, value > kLargestPlu ? kOutOfRange : nullptr};
}

CPluRangeDlg::CPluRangeDlg(QWidget* parent, PluRange initial) : QDialog(parent), range_(initial) {
    setWindowTitle("PLU range");
    selectRange_ = new QRadioButton("Select Range", this);
    single_ = new QRadioButton("Single", this);
    selectRange_->setChecked(true);
    from_ = new QLineEdit(QString::number(range_.first), this);
    to_ = new QLineEdit(QString::number(range_.last), this);
    from_->setObjectName("from");
    to_->setObjectName("to");
    from_->setAccessibleName("From");
    to_->setAccessibleName("To");
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (QLineEdit* e : {from_, to_}) {
        e->setFixedWidth(digit * 10);
        e->setAlignment(Qt::AlignRight);
    }
    connect(selectRange_, &QRadioButton::toggled, this, &CPluRangeDlg::enableTo);

    auto* grid = new QGridLayout;
    grid->addWidget(selectRange_, 0, 0, 1, 2);
    grid->addWidget(single_, 1, 0, 1, 2);
    grid->addWidget(new QLabel("From", this), 2, 0);
    grid->addWidget(from_, 2, 1);
    grid->addWidget(new QLabel("To", this), 3, 0);
    grid->addWidget(to_, 3, 1);

    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CPluRangeDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);

    auto* top = new QHBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(digit * 2);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
    from_->setFocus();
}

std::optional<PluRange> CPluRangeDlg::ask(QWidget* parent, PluRange initial) {
    CPluRangeDlg dialog(parent, initial);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.range();
}

void CPluRangeDlg::enableTo() {
    to_->setEnabled(selectRange_->isChecked());
}

void CPluRangeDlg::onOk() {
    const bool single = single_->isChecked();
    for (QLineEdit* edit : {from_, to_}) {
        if (edit == to_ && single) {
            continue;  // "To" plays no part
        }
        const RangeFieldValue v = rangeFieldValue(fromQString(edit->text()));
        if (v.problem != nullptr) {
            tell(v.problem, PromptIcon::Warning);
            edit->setFocus();
            edit->selectAll();
            return;
        }
        (edit == from_ ? range_.first : range_.last) = v.value;
    }
    if (single) {
        range_.last = range_.first;
    }
    accept();
}

}  // namespace vorn
