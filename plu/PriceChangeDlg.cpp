#include "plu/PriceChangeDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "tables/NumberText.h"
#include "widgets/QtText.h"
#include "widgets/TextRowView.h"

namespace vorn {

namespace {

const char* const kPreviewCaption = "   PLU   Description          Old price  New price";
// Columns of the preview rows, under the caption's words.
const std::vector<int> kPreviewTabStops = {8, 29, 40};
constexpr std::size_t kPreviewDescription = 18;

QString previewRow(const PluList& list, const PriceChangeRow& r) {
    const PluValues values = decodePair(list.pair(r.row));
    const QString description =
        toQString(values.description1.substr(0, kPreviewDescription)).leftJustified(18);
    return QString("%1\t%2\t%3\t%4")
        .arg(r.number, 6)
        .arg(description)
        .arg(toQString(unitsToDecimal(r.oldPrice, 2)), 9)
        .arg(toQString(unitsToDecimal(r.newPrice, 2)), 9);
}

QLineEdit* namedField(const char* name, const char* accessible, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAccessibleName(accessible);
    return field;
}

}  // namespace

CPriceChangeDlg::CPriceChangeDlg(PluList& list, std::vector<std::size_t> selected, QWidget* parent)
    : QDialog(parent), list_(list), selected_(std::move(selected)) {
    setWindowTitle("Change Prices");

    onSelected_ = new QRadioButton(QString("&Selected PLUs (%1)").arg(selected_.size()), this);
    onGroup_ = new QRadioButton("&Group:", this);
    group_ = namedField("group", "Group", this);
    group_->setMaximumWidth(fontMetrics().horizontalAdvance('0') * 8);
    onSelected_->setEnabled(!selected_.empty());
    auto* scope = new QHBoxLayout;
    scope->addWidget(onSelected_);
    scope->addSpacing(12);
    scope->addWidget(onGroup_);
    scope->addWidget(group_);
    scope->addStretch(1);

    kind_ = new QComboBox(this);
    kind_->setObjectName("kind");
    kind_->addItems({"Change by percent", "Change by amount", "Set the price to"});
    value_ = namedField("value", "Value", this);
    value_->setMaximumWidth(fontMetrics().horizontalAdvance('0') * 12);
    auto* change = new QHBoxLayout;
    change->addWidget(kind_);
    change->addWidget(value_);
    change->addStretch(1);

    toCent_ = new QRadioButton("To the &cent", this);
    to99_ = new QRadioButton("To .&99", this);
    to49_ = new QRadioButton("To .&49", this);
    // Two choices, each of its own buttons.
    auto* scopeChoice = new QButtonGroup(this);
    scopeChoice->addButton(onSelected_);
    scopeChoice->addButton(onGroup_);
    auto* roundingChoice = new QButtonGroup(this);
    for (QRadioButton* b : {toCent_, to99_, to49_}) {
        roundingChoice->addButton(b);
    }
    (selected_.empty() ? onGroup_ : onSelected_)->setChecked(true);
    toCent_->setChecked(true);
    auto* rounding = new QHBoxLayout;
    rounding->addWidget(toCent_);
    rounding->addWidget(to99_);
    rounding->addWidget(to49_);
    rounding->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow("Apply to:", scope);
    auto* changeLabel = new QLabel("C&hange:", this);
    changeLabel->setBuddy(kind_);
    kind_->setAccessibleName("Change");
    form->addRow(changeLabel, change);
    form->addRow("Round:", rounding);

    auto* caption = new QLabel(kPreviewCaption, this);
    caption->setFont(TextRowView().font());
    caption->setTextFormat(Qt::PlainText);
    rows_ = new QStringListModel(this);
    preview_ = new TextRowView(this);
    preview_->setObjectName("preview");
    preview_->setAccessibleName("Preview");
    preview_->setModel(rows_);
    preview_->setTabStops(kPreviewTabStops, TabStopDelegate::Unit::Columns);
    preview_->setSelectionMode(QAbstractItemView::NoSelection);
    preview_->setMinimumSize(preview_->fontMetrics().horizontalAdvance('0') * 54,
                             preview_->fontMetrics().lineSpacing() * 12);
    caption->setIndent(preview_->frameWidth() + 2);
    status_ = new QLabel(this);
    status_->setObjectName("status");
    status_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    apply_ = buttons->addButton("Apply", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(apply_, &QPushButton::clicked, this, &CPriceChangeDlg::onApply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(caption);
    layout->setSpacing(6);
    layout->addWidget(preview_, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons);

    for (QRadioButton* b : {onSelected_, onGroup_, toCent_, to99_, to49_}) {
        connect(b, &QRadioButton::toggled, this, &CPriceChangeDlg::updatePreview);
    }
    for (QLineEdit* f : {group_, value_}) {
        connect(f, &QLineEdit::textChanged, this, &CPriceChangeDlg::updatePreview);
    }
    connect(kind_, &QComboBox::currentIndexChanged, this, &CPriceChangeDlg::updatePreview);
    connect(group_, &QLineEdit::textEdited, this, [this] { onGroup_->setChecked(true); });
    updatePreview();
    value_->setFocus();
}

void CPriceChangeDlg::updatePreview() {
    plan_ = {};
    QString problem;
    std::vector<std::size_t> rows = selected_;
    if (onGroup_->isChecked()) {
        const std::optional<std::int64_t> group = parseHundredths(fromQString(group_->text()));
        if (!group || *group < 0 || *group % 100 != 0) {
            problem = "Type the number of the group.";
            rows.clear();
        } else {
            rows = rowsOfGroup(list_, static_cast<int>(*group / 100));
        }
    }
    PriceChange change;
    change.kind = kind_->currentIndex() == 0   ? PriceChangeKind::Percent
                  : kind_->currentIndex() == 1 ? PriceChangeKind::Amount
                                               : PriceChangeKind::Set;
    change.rounding = to99_->isChecked()   ? PriceRounding::Ending99
                      : to49_->isChecked() ? PriceRounding::Ending49
                                           : PriceRounding::Cent;
    const std::optional<std::int64_t> value = parseHundredths(fromQString(value_->text()));
    if (problem.isEmpty() && !value) {
        problem = change.kind == PriceChangeKind::Percent
                      ? "Type the percentage, such as 5 or -2.5."
                      : "Type the amount in dollars and cents, such as 0.50.";
    } else if (problem.isEmpty() && change.kind == PriceChangeKind::Set && *value < 0) {
        problem = "A price cannot be below 0.00.";
    }
    change.value = value.value_or(0);
    plan_ = planPriceChange(list_, rows, problem.isEmpty() ? change : PriceChange{});
    if (problem.isEmpty()) {
        problem = toQString(plan_.problem);
    }
    if (problem.isEmpty() && plan_.rows.empty()) {
        problem = "No PLU to change.";
    }
    QStringList lines;
    lines.reserve(static_cast<int>(plan_.rows.size()));
    for (const PriceChangeRow& r : plan_.rows) {
        lines.push_back(previewRow(list_, r));
    }
    rows_->setStringList(lines);
    std::size_t changing = 0;
    for (const PriceChangeRow& r : plan_.rows) {
        changing += r.newPrice != r.oldPrice ? 1 : 0;
    }
    status_->setText(problem.isEmpty()
                         ? QString("%1 of %2 prices change.").arg(changing).arg(plan_.rows.size())
                         : problem);
    apply_->setEnabled(problem.isEmpty() && changing > 0);
    if (!problem.isEmpty()) {
        plan_.problem = fromQString(problem);
    }
}

void CPriceChangeDlg::onApply() {
    if (!plan_.problem.empty()) {
        return;
    }
    changed_ = applyPriceChange(list_, plan_);
    accept();
}

std::size_t CPriceChangeDlg::run(PluList& list, std::vector<std::size_t> selected,
                                 QWidget* parent) {
    CPriceChangeDlg dialog(list, std::move(selected), parent);
    dialog.exec();
    return dialog.changedCount();
}

}  // namespace vorn
