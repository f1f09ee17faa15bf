#include "plu/PluEditDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "plu/PluReferences.h"
#include "widgets/NumEdit.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {

// The entry limit of a field, kept beside it: a text that came from a record or the defaults
// file may be longer, and is shown whole rather than cut (typing still stops at the limit, or
// at the longer text's length).
const char* const kEntryLimit = "entryLimit";

void limitEntry(QLineEdit* edit, int limit) {
    edit->setProperty(kEntryLimit, limit);
    edit->setMaxLength(limit);
}

void setEditText(QLineEdit* edit, const std::string& text) {
    const int limit = edit->property(kEntryLimit).toInt();
    if (limit > 0) {
        edit->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    }
    edit->setText(toQString(text));
}

std::string editText(const QLineEdit* edit) {
    return fromQString(edit->text());
}

}  // namespace

CPluEditDlg::CPluEditDlg(const PluValues& values, QWidget* parent)
    : QDialog(parent), form_(formOfValues(values)) {
    buildWidgets();
    known_ = readKnownNumbers(kPluReferredTables);
    writeForm();
    pluNumber_->setFocus();
}

std::optional<PluValues> CPluEditDlg::run(const PluValues& values, QWidget* parent) {
    CPluEditDlg dialog(values, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.accepted();
}

QLabel* CPluEditDlg::label(const char* text) {
    auto* l = new QLabel(QString::fromLatin1(text), this);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLineEdit* CPluEditDlg::digitEdit(const char* name, const char* accessibleName, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(QString::fromLatin1(accessibleName));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    edit->setAlignment(Qt::AlignRight);
    if (maxLength > 0) {
        limitEntry(edit, maxLength);
        // Room for the digits and the frame, not more.
        const int digit = edit->fontMetrics().horizontalAdvance(QLatin1Char('0'));
        edit->setFixedWidth(digit * (std::max(maxLength, 2) + 2) + 8);
    }
    return edit;
}

void CPluEditDlg::buildWidgets() {
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));

    // Carried through, never shown.
    vatNumber_ = digitEdit("vatNumber", "VATNo", pluentry::kVatNumber);
    vatNumber_->hide();
    QLabel* vatLabel = label("VATNo");
    vatLabel->hide();

    pluNumber_ = digitEdit("pluNumber", "PLU No:", pluentry::kPluNumber);
    itemNumber_ = digitEdit("itemNumber", "Item No:", pluentry::kItemNumber);
    description1_ = new QLineEdit(this);
    description1_->setObjectName("description1");
    description1_->setAccessibleName("Description");
    limitEntry(description1_, pluentry::kDescription);
    description2_ = new QLineEdit(this);
    description2_->setObjectName("description2");
    description2_->setAccessibleName("Description");
    limitEntry(description2_, pluentry::kDescription);
    for (QLineEdit* d : {description1_, description2_}) {
        d->setMinimumWidth(digit * (pluentry::kDescription + 2));
    }
    fontSize1_ = digitEdit("fontSize1", "Font Size", pluentry::kFontSize);
    fontSize2_ = digitEdit("fontSize2", "Font Size", 0);  // no entry limit
    fontSize2_->setFixedWidth(fontSize1_->width());

    auto* item = new QGridLayout;
    item->addWidget(label("PLU No:"), 0, 0);
    item->addWidget(pluNumber_, 0, 1, Qt::AlignLeft);
    auto* itemNumberRow = new QHBoxLayout;
    itemNumberRow->addStretch(1);
    itemNumberRow->addWidget(label("Item No:"));
    itemNumberRow->addWidget(itemNumber_);
    item->addLayout(itemNumberRow, 0, 2);
    item->addWidget(label("Font Size"), 0, 3);
    item->addWidget(label("Description"), 1, 0);
    item->addWidget(description1_, 1, 1, 1, 2);
    item->addWidget(fontSize1_, 1, 3);
    item->addWidget(description2_, 2, 1, 1, 2);
    item->addWidget(fontSize2_, 2, 3);
    item->setColumnStretch(2, 1);

    // Price, group, tare and the kind of item.
    price_ = new CNumEdit(this);
    price_->setObjectName("price");
    price_->setAccessibleName("Price");
    price_->configure(pluentry::kPrice.maxLength, pluentry::kPrice.decimals);
    price_->setAlignment(Qt::AlignRight);
    price_->setFixedWidth(digit * (pluentry::kPrice.maxLength + 3) + 8);
    groupNumber_ = digitEdit("groupNumber", "Group No.", pluentry::kGroupNumber);
    tareNumber_ = digitEdit("tareNumber", "Tare No.", pluentry::kTareNumber);
    discount_ = new QCheckBox("Discount", this);
    byCount_ = new QCheckBox("By Count", this);
    openPrice_ = new QCheckBox("Open Price", this);
    fixweightLabel_ = label("Fixweight");
    fixweight_ = new CNumEdit(this);
    fixweight_->setObjectName("fixweight");
    fixweight_->setAccessibleName("Fixweight");
    fixweight_->configure(pluentry::kFixweight.maxLength, pluentry::kFixweight.decimals);
    fixweight_->setAlignment(Qt::AlignRight);
    fixweight_->setFixedWidth(digit * (pluentry::kFixweight.maxLength + 3) + 8);
    fixweightUnit_ = label("lb");
    connect(byCount_, &QCheckBox::toggled, this, &CPluEditDlg::showFixweightIfByCount);

    auto* sale = new QGridLayout;
    sale->addWidget(label("Price"), 0, 0);
    sale->addWidget(price_, 0, 1, Qt::AlignLeft);
    sale->addWidget(label("Group No."), 0, 2, Qt::AlignRight);
    sale->addWidget(groupNumber_, 0, 3);
    sale->addWidget(discount_, 0, 4);
    sale->addWidget(label("Tare No."), 1, 2, Qt::AlignRight);
    sale->addWidget(tareNumber_, 1, 3);
    sale->addWidget(byCount_, 1, 4);
    sale->addWidget(openPrice_, 1, 5);
    sale->addWidget(fixweightLabel_, 2, 0);
    auto* fixweightRow = new QHBoxLayout;
    fixweightRow->addWidget(fixweight_);
    fixweightRow->addWidget(fixweightUnit_);
    fixweightRow->addStretch(1);
    sale->addLayout(fixweightRow, 2, 1);
    sale->setColumnStretch(6, 1);
    // The fixweight keeps its room when hidden, so nothing moves when "By Count" changes.
    for (QWidget* w :
         std::initializer_list<QWidget*>{fixweightLabel_, fixweight_, fixweightUnit_}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }

    // The label.
    labelNumber_ = digitEdit("labelNumber", "Label No.", pluentry::kLabelNumber);
    advertisingText_ =
        digitEdit("advertisingTextNumber", "Advertising Text No.", pluentry::kAdvertisingText);
    extraText_ = digitEdit("extraTextNumber", "Extra Text No.", pluentry::kExtraText);
    extraFontSize_ = digitEdit("extraFontSize", "Font Size", pluentry::kFontSize);
    printStoreAddress_ = new QCheckBox("Print Store Address", this);
    auto* alignment = new QGroupBox("Alignment", this);
    auto* alignmentRow = new QHBoxLayout(alignment);
    for (int i = 0; i < kAlignments; ++i) {
        alignment_[i] = new QRadioButton(QString::fromLatin1(kAlignmentNames[i]), alignment);
        alignmentRow->addWidget(alignment_[i]);
    }

    auto* labelGrid = new QGridLayout;
    labelGrid->addWidget(label("Label No."), 0, 0);
    labelGrid->addWidget(labelNumber_, 0, 1);
    labelGrid->addWidget(label("Advertising Text No."), 1, 0);
    labelGrid->addWidget(advertisingText_, 1, 1);
    labelGrid->addWidget(label("Extra Text No."), 2, 0);
    labelGrid->addWidget(extraText_, 2, 1);
    labelGrid->addWidget(label(" Font Size"), 2, 2, Qt::AlignRight);
    labelGrid->addWidget(extraFontSize_, 2, 3);
    labelGrid->addWidget(alignment, 0, 2, 2, 2);
    labelGrid->addWidget(printStoreAddress_, 0, 4);
    labelGrid->setColumnStretch(5, 1);

    // The three dates.
    const auto dateGroup = [this](const char* title, DateGroup& g, const char* prefix, int formats,
                                  bool daysShown) {
        auto* box = new QGroupBox(QString::fromLatin1(title), this);
        g.dateText = digitEdit((std::string(prefix) + "DateText").c_str(),
                               "Date Text No:", pluentry::kDateText);
        g.format = new QComboBox(box);
        g.format->setObjectName(QString::fromLatin1(prefix) + "Format");
        g.format->setAccessibleName("Print Format");
        for (int i = 0; i < formats; ++i) {
            g.format->addItem(QString::fromLatin1(kPrintFormatNames[i]));
        }
        g.cross = new QCheckBox("Cross", box);
        g.cross->hide();
        g.days = digitEdit((std::string(prefix) + "Days").c_str(), "days:", pluentry::kDays);
        auto* grid = new QGridLayout(box);
        grid->addWidget(label("Date Text No:"), 0, 0);
        grid->addWidget(g.dateText, 0, 1, Qt::AlignLeft);
        grid->addWidget(label("Print Format"), 1, 0);
        grid->addWidget(g.format, 1, 1);
        QLabel* daysLabel = label("days:");
        grid->addWidget(daysLabel, 2, 0);
        grid->addWidget(g.days, 2, 1, Qt::AlignLeft);
        if (!daysShown) {
            // Hidden, but holding its place: the three groups line up.
            for (QWidget* w : std::initializer_list<QWidget*>{daysLabel, g.days}) {
                QSizePolicy policy = w->sizePolicy();
                policy.setRetainSizeWhenHidden(true);
                w->setSizePolicy(policy);
                w->hide();
            }
        }
        return box;
    };
    auto* dates = new QHBoxLayout;
    dates->addWidget(dateGroup("Pack Date", pack_, "pack", kPackFormats, false));
    dates->addWidget(dateGroup("Best Before Date", bestBefore_, "bestBefore", kDateFormats, true));
    dates->addWidget(dateGroup("Sell By Date", sellBy_, "sellBy", kDateFormats, true));

    auto* saveDefault = new QPushButton("Save Default", this);
    auto* loadDefault = new QPushButton("Load Default", this);
    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    ok->setDefault(true);
    saveDefault->setAutoDefault(false);
    loadDefault->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(saveDefault, &QPushButton::clicked, this, &CPluEditDlg::onSaveDefault);
    connect(loadDefault, &QPushButton::clicked, this, &CPluEditDlg::onLoadDefault);
    connect(ok, &QPushButton::clicked, this, &CPluEditDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveDefault);
    buttons->addWidget(loadDefault);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* top = new QVBoxLayout(this);
    top->addLayout(item);
    top->addSpacing(digit);
    top->addLayout(sale);
    top->addSpacing(digit);
    top->addLayout(labelGrid);
    top->addLayout(dates);
    // The group, tare and texts that the fields name and their tables do not have.
    references_ = new QLabel(this);
    references_->setObjectName("references");
    references_->setWordWrap(true);
    references_->setStyleSheet("color: #b00000");
    top->addWidget(references_);
    top->addSpacing(digit);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    for (QLineEdit* naming : {pluNumber_, groupNumber_, tareNumber_, advertisingText_, extraText_,
                              pack_.dateText, bestBefore_.dateText, sellBy_.dateText}) {
        connect(naming, &QLineEdit::textEdited, this, &CPluEditDlg::showReferences);
    }

    fieldWidgets_ = {
        {PluFormField::Description1, description1_},
        {PluFormField::PluNumber, pluNumber_},
        {PluFormField::BestBeforeDays, bestBefore_.days},
        {PluFormField::SellByDays, sellBy_.days},
        {PluFormField::LabelNumber, labelNumber_},
        {PluFormField::GroupNumber, groupNumber_},
        {PluFormField::PackDateText, pack_.dateText},
        {PluFormField::BestBeforeDateText, bestBefore_.dateText},
        {PluFormField::SellByDateText, sellBy_.dateText},
        {PluFormField::AdvertisingTextNumber, advertisingText_},
        {PluFormField::ExtraTextNumber, extraText_},
        {PluFormField::ExtraFontSize, extraFontSize_},
        {PluFormField::TareNumber, tareNumber_},
        {PluFormField::FontSize1, fontSize1_},
        {PluFormField::FontSize2, fontSize2_},
        {PluFormField::Fixweight, fixweight_},
    };

    // Tab goes through the fields as they are laid out.
    QWidget* order[] = {pluNumber_,
                        itemNumber_,
                        description1_,
                        fontSize1_,
                        description2_,
                        fontSize2_,
                        price_,
                        groupNumber_,
                        discount_,
                        tareNumber_,
                        byCount_,
                        openPrice_,
                        fixweight_,
                        labelNumber_,
                        advertisingText_,
                        extraText_,
                        alignment_[0],
                        alignment_[1],
                        alignment_[2],
                        extraFontSize_,
                        printStoreAddress_,
                        pack_.dateText,
                        pack_.format,
                        bestBefore_.dateText,
                        bestBefore_.format,
                        bestBefore_.days,
                        sellBy_.dateText,
                        sellBy_.format,
                        sellBy_.days,
                        saveDefault,
                        loadDefault,
                        ok,
                        cancel};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CPluEditDlg::readForm() {
    PluValues& v = form_.values;
    v.vatNumber = editText(vatNumber_);
    v.pluNumber = editText(pluNumber_);
    v.itemNumber = editText(itemNumber_);
    v.description1 = editText(description1_);
    v.fontSize1 = editText(fontSize1_);
    v.description2 = editText(description2_);
    v.fontSize2 = editText(fontSize2_);
    form_.price = editText(price_);
    v.groupNumber = editText(groupNumber_);
    v.discount = discount_->isChecked();
    v.tareNumber = editText(tareNumber_);
    v.byCount = byCount_->isChecked();
    v.openPrice = openPrice_->isChecked();
    form_.fixweight = editText(fixweight_);
    v.labelNumber = editText(labelNumber_);
    v.advertisingTextNumber = editText(advertisingText_);
    for (int i = 0; i < 3; ++i) {
        if (alignment_[i]->isChecked()) {
            v.alignment = i;
        }
    }
    v.printStoreAddress = printStoreAddress_->isChecked();
    v.extraTextNumber = editText(extraText_);
    v.extraFontSize = editText(extraFontSize_);
    v.packDateText = editText(pack_.dateText);
    v.packFormat = std::max(0, pack_.format->currentIndex());
    v.packCross = pack_.cross->isChecked();
    v.packDays = editText(pack_.days);
    v.bestBeforeDateText = editText(bestBefore_.dateText);
    v.bestBeforeFormat = std::max(0, bestBefore_.format->currentIndex());
    v.bestBeforeCross = bestBefore_.cross->isChecked();
    v.bestBeforeDays = editText(bestBefore_.days);
    v.sellByDateText = editText(sellBy_.dateText);
    v.sellByFormat = std::max(0, sellBy_.format->currentIndex());
    v.sellByCross = sellBy_.cross->isChecked();
    v.sellByDays = editText(sellBy_.days);
}

void CPluEditDlg::writeForm() {
    const PluValues& v = form_.values;
    setEditText(vatNumber_, v.vatNumber);
    setEditText(pluNumber_, v.pluNumber);
    setEditText(itemNumber_, v.itemNumber);
    setEditText(description1_, v.description1);
    setEditText(fontSize1_, v.fontSize1);
    setEditText(description2_, v.description2);
    setEditText(fontSize2_, v.fontSize2);
    setEditText(price_, form_.price);
    setEditText(groupNumber_, v.groupNumber);
    discount_->setChecked(v.discount);
    setEditText(tareNumber_, v.tareNumber);
    byCount_->setChecked(v.byCount);
    openPrice_->setChecked(v.openPrice);
    setEditText(fixweight_, form_.fixweight);
    setEditText(labelNumber_, v.labelNumber);
    setEditText(advertisingText_, v.advertisingTextNumber);
    alignment_[v.alignment >= 0 && v.alignment < 3 ? v.alignment : 0]->setChecked(true);
    printStoreAddress_->setChecked(v.printStoreAddress);
    setEditText(extraText_, v.extraTextNumber);
    setEditText(extraFontSize_, v.extraFontSize);
    setEditText(pack_.dateText, v.packDateText);
    pack_.format->setCurrentIndex(v.packFormat);
    pack_.cross->setChecked(v.packCross);
    setEditText(pack_.days, v.packDays);
    setEditText(bestBefore_.dateText, v.bestBeforeDateText);
    bestBefore_.format->setCurrentIndex(v.bestBeforeFormat);
    bestBefore_.cross->setChecked(v.bestBeforeCross);
    setEditText(bestBefore_.days, v.bestBeforeDays);
    setEditText(sellBy_.dateText, v.sellByDateText);
    sellBy_.format->setCurrentIndex(v.sellByFormat);
    sellBy_.cross->setChecked(v.sellByCross);
    setEditText(sellBy_.days, v.sellByDays);
    showFixweightIfByCount();
    showReferences();
}

void CPluEditDlg::showReferences() {
    const PluForm shown = form_;
    readForm();
    QStringList lines;
    for (const std::string& problem : danglingReferences(pluReferences(form_.values), known_)) {
        lines << toQString(problem);
    }
    form_ = shown;
    references_->setText(lines.join('\n'));
    references_->setVisible(!lines.isEmpty());
}

void CPluEditDlg::showFixweightIfByCount() {
    const bool shown = byCount_->isChecked();
    fixweightLabel_->setVisible(shown);
    fixweight_->setVisible(shown);
    fixweightUnit_->setVisible(shown);
}

void CPluEditDlg::onOk() {
    readForm();
    const PluFormCheck check = acceptForm(form_);
    if (check.passed()) {
        accept();
        return;
    }
    tell(check.message);
    writeForm();
    fieldWidgets_.at(check.field)->setFocus();
}

void CPluEditDlg::onSaveDefault() {
    readForm();
    const FileProblem problem = savePluDefaults(defaultsOfForm(form_));
    if (!problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error);
    }
}

void CPluEditDlg::onLoadDefault() {
    const LoadedPluDefaults loaded = readPluDefaults();
    if (!loaded.problem.empty()) {
        tell(latin1ToUtf8(loaded.problem), PromptIcon::Warning);
    }
    if (!loaded.defaults) {
        return;
    }
    form_ = formOfDefaults(*loaded.defaults);
    writeForm();
}

}  // namespace vorn
