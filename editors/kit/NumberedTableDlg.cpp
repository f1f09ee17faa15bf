#include "editors/kit/NumberedTableDlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "editors/kit/RecordText.h"
#include "platform/Prompter.h"
#include "widgets/ControlsState.h"
#include "widgets/NumEdit.h"
#include "widgets/QtText.h"

namespace vorn {

std::vector<CaptionPart> captionParts(const std::string& caption) {
    std::vector<CaptionPart> parts;
    std::size_t i = 0;
    while (i < caption.size()) {
        i = caption.find_first_not_of(' ', i);
        if (i == std::string::npos) {
            break;
        }
        std::size_t end = caption.find("  ", i);
        if (end == std::string::npos) {
            end = caption.size();
        }
        std::string text = caption.substr(i, end - i);
        text.erase(text.find_last_not_of(' ') + 1);
        parts.push_back({text, static_cast<int>(i)});
        i = end;
    }
    return parts;
}

ListRows rowsWithBreakMarks(const ListRows& rows) {
    constexpr char kBreakMark = '\xB6';
    ListRows shown;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::string text = crlfToBreaks(rows.text(i), std::string_view(&kBreakMark, 1));
        for (char& c : text) {
            if (c == kRecordBreak) {
                c = kBreakMark;
            }
        }
        shown.insertAt(i, std::move(text));
        shown.setSelected(i, rows.isSelected(i));
    }
    shown.setCaret(rows.caret());
    return shown;
}

namespace {

// Turns letters into capitals as they are typed.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

QString trimmedCaption(const char* caption) {
    return QString::fromLatin1(caption).trimmed();
}

QLabel* captionLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setTextFormat(Qt::PlainText);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

}  // namespace

NumberedTableDlg::NumberedTableDlg(const NumberedTableKind& kind, const NumberedTableLayout& layout,
                                   QWidget* parent)
    : TableDlg(parent), table_(kind), layout_(layout) {
    setWindowTitle(QString::fromLatin1(layout.caption));
    buildWidgets();
    table_.open();
    showRows();
    writeFields();
    if (layout_.focusNumberOnOpen) {
        number_->setFocus();
    }
}

void NumberedTableDlg::buildWidgets() {
    const NumberedTableKind& kind = table_.kind();

    list_ = new RowListView(this);
    list_->setObjectName("list");
    list_->setAccessibleName(trimmedCaption(layout_.listCaption));
    list_->setTabStopDialogUnits(layout_.tabStopDialogUnits);
    const int cw = list_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int tabChars = layout_.tabStopDialogUnits / 4 + 1;
    const int listColumns =
        layout_.listColumns > 0 ? layout_.listColumns : tabChars + kind.valueMaxLength + 4;
    list_->setMinimumWidth(cw * listColumns);
    list_->setMinimumHeight(list_->fontMetrics().lineSpacing() * 10);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { onPick(list_->row(item)); });

    if (layout_.valueLines > 0) {
        textValue_ = new TextBox(this);
        textValue_->setShape(layout_.valueColumns, layout_.valueLines, layout_.valueWrap);
        textValue_->setMaxLines(layout_.valueLineLimit);
        textValue_->setMaxLength(kind.valueMaxLength);
        // Enter past the last line adds the row, as Enter in a one-line value does.
        connect(textValue_, &TextBox::enterPastLastLine, this, &NumberedTableDlg::onAdd);
        valueField_ = textValue_;
    } else if (layout_.numericValue) {
        auto* numeric = new CNumEdit(this);
        numeric->configure(kind.valueMaxLength, layout_.valueDecimals);
        value_ = numeric;
    } else {
        value_ = new QLineEdit(this);
        value_->setMaxLength(kind.valueMaxLength);
        if (layout_.valueUpperCase) {
            value_->setValidator(new UpperCaseValidator(value_));
        }
    }
    if (value_ != nullptr) {
        valueField_ = value_;
        if (layout_.valueCentred) {
            value_->setAlignment(Qt::AlignCenter);
        }
        connect(value_, &QLineEdit::textEdited, this, &NumberedTableDlg::onValueEdited);
    }
    valueField_->setObjectName("value");
    number_ = new QLineEdit(this);
    number_->setObjectName("number");
    number_->setMaxLength(kind.numberMaxLength);
    if (layout_.numberRightAligned) {
        number_->setAlignment(Qt::AlignRight);
    }
    // Every table's number is a number: a letter is refused, never read as 0.
    number_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), number_));
    connect(number_, &QLineEdit::textEdited, this, &NumberedTableDlg::onNumberEdited);

    auto* left = new QVBoxLayout;
    left->addWidget(captionLabel(layout_.listCaption, this));
    left->addWidget(list_, 1);
    left->addLayout(buildFields());
    if (layout_.choiceCaption != nullptr) {
        auto* box = new QGroupBox(QString::fromLatin1(layout_.choiceCaption), this);
        auto* row = new QHBoxLayout(box);
        choices_ = new QButtonGroup(this);
        for (std::size_t i = 0; i < layout_.choices.size(); ++i) {
            auto* radio = new QRadioButton(QString::fromLatin1(layout_.choices[i]), box);
            choices_->addButton(radio, static_cast<int>(i));
            row->addWidget(radio);
        }
        row->addStretch(1);
        // A click and the accessibility "Toggle" action both check a radio button.
        connect(choices_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
            if (checked) {
                onChoose(id);
            }
        });
        left->addWidget(box);
    }

    auto button = [this](const char* text, void (NumberedTableDlg::*slot)()) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    add_ = button("Add", &NumberedTableDlg::onAdd);
    auto* right = new QVBoxLayout;
    right->addWidget(add_);
    right->addWidget(button("Del", &NumberedTableDlg::onDelete));
    right->addSpacing(12);
    right->addWidget(button("PC->Sc", &NumberedTableDlg::onSend));
    right->addWidget(button("Sc->PC", &NumberedTableDlg::onReceive));
    right->addStretch(1);
    right->addWidget(button("OK", &NumberedTableDlg::onOk));
    // Cancel discards on purpose; Escape and the close box ask first.
    right->addWidget(button(layout_.cancelCaption, &NumberedTableDlg::discard));
    if (layout_.addIsDefault) {
        add_->setDefault(true);
    } else {
        // No default button at all: a shown dialog would make its first auto-default button
        // the default one. Enter is handled in keyPressEvent.
        for (QPushButton* b : findChildren<QPushButton*>()) {
            b->setAutoDefault(false);
        }
    }

    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(right);

    setTabOrder(list_, number_);
    setTabOrder(number_, valueField_);
}

QLayout* NumberedTableDlg::buildFields() {
    const NumberedTableKind& kind = table_.kind();
    const int cw = list_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int frame = 2 * cw;  // room for the field's frame and margins
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(cw);
    int numberWidth = cw * kind.numberMaxLength + frame;
    if (layout_.valueCaption != nullptr) {
        // One caption over each field.
        grid->addWidget(captionLabel(layout_.fieldsCaption, this), 0, 0);
        grid->addWidget(captionLabel(layout_.valueCaption, this), 0, 1);
        number_->setAccessibleName(trimmedCaption(layout_.fieldsCaption));
        valueField_->setAccessibleName(trimmedCaption(layout_.valueCaption));
    } else {
        // One caption over both: the value field starts under the caption's second part.
        const std::vector<CaptionPart> parts = captionParts(layout_.fieldsCaption);
        grid->addWidget(captionLabel(layout_.fieldsCaption, this), 0, 0, 1, 3);
        if (!parts.empty()) {
            number_->setAccessibleName(QString::fromLatin1(parts[0].text.c_str()));
        }
        if (parts.size() > 1) {
            valueField_->setAccessibleName(QString::fromLatin1(parts[1].text.c_str()));
            numberWidth = std::max(numberWidth, cw * parts[1].column - grid->horizontalSpacing());
        }
    }
    number_->setFixedWidth(numberWidth);
    if (value_ != nullptr) {
        value_->setMinimumWidth(cw * kind.valueMaxLength + frame);
        if (kind.valueMaxLength <= 10) {
            value_->setMaximumWidth(value_->minimumWidth());  // a short amount needs no room
        }
    }
    grid->addWidget(number_, 1, 0, Qt::AlignTop);
    grid->addWidget(valueField_, 1, 1);
    grid->setColumnStretch(2, 1);
    return grid;
}

QString NumberedTableDlg::valueText() const {
    return textValue_ != nullptr ? toQString(textValue_->text()) : value_->text();
}

void NumberedTableDlg::setValueText(const std::string& text) {
    if (textValue_ != nullptr) {
        textValue_->setText(text);
    } else {
        value_->setText(toQString(text));
    }
}

void NumberedTableDlg::readFields() {
    // The type is a member that only a choice changes.
    EntryFields& fields = table_.fields();
    fields.number = fromQString(number_->text());
    fields.value = fromQString(valueText());
    fields.displayedLines.clear();
    if (textValue_ != nullptr && layout_.valueWrap != TextBox::Wrap::None) {
        fields.displayedLines = textValue_->displayedLines();
    }
}

void NumberedTableDlg::writeFields() {
    const EntryFields& fields = table_.fields();
    number_->setText(toQString(fields.number));
    setValueText(fields.value);
    if (value_ != nullptr && layout_.choiceCaption != nullptr) {
        value_->setMaxLength(table_.valueMaxLength());
    }
    if (choices_ != nullptr) {
        if (QAbstractButton* chosen = choices_->button(fields.type)) {
            const QSignalBlocker quiet(choices_);
            chosen->setChecked(true);
        }
    }
}

void NumberedTableDlg::showRows() {
    list_->showRows(rowsWithBreakMarks(table_.rows()));
}

void NumberedTableDlg::syncSelection() {
    list_->copySelectionTo(table_.rows());
}

void NumberedTableDlg::onNumberEdited() {
    readFields();
    if (table_.checkNumber()) {
        number_->setText(toQString(table_.fields().number));
    }
}

void NumberedTableDlg::onValueEdited() {
    readFields();
    if (table_.checkValue()) {
        value_->setText(toQString(table_.fields().value));
    }
}

void NumberedTableDlg::onAdd() {
    syncSelection();
    readFields();
    const bool added = table_.add();
    writeFields();
    if (added) {
        showRows();
        if (layout_.focusNumberAfterAdd) {
            number_->setFocus();
        } else if (layout_.focusValueAfterAdd) {
            valueField_->setFocus();
        }
    }
}

void NumberedTableDlg::onChoose(int type) {
    syncSelection();
    readFields();
    table_.choose(type);
    writeFields();
    showRows();
}

void NumberedTableDlg::onDelete() {
    syncSelection();
    table_.deleteSelected();
    showRows();
}

void NumberedTableDlg::onPick(int row) {
    if (row < 0) {
        return;
    }
    syncSelection();
    table_.rows().setCaret(static_cast<std::size_t>(row));
    if (table_.pick()) {
        writeFields();
    }
}

void NumberedTableDlg::onOk() {
    syncSelection();
    readFields();
    if (table_.saveOnOk()) {
        accept();
    }
}

QStringList NumberedTableDlg::dataState() const {
    return controlsState(list_);
}

void NumberedTableDlg::onSend() {
    syncSelection();
    table_.send();
}

void NumberedTableDlg::onReceive() {
    syncSelection();
    table_.receive();
    showRows();
}

void NumberedTableDlg::keyPressEvent(QKeyEvent* e) {
    // Return, or Enter on the keypad (which comes with the keypad modifier).
    const Qt::KeyboardModifiers modifiers = e->modifiers() & ~Qt::KeypadModifier;
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && !layout_.addIsDefault && modifiers == Qt::NoModifier) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget())) {
            focused->click();  // Enter presses the button that has the focus
        } else if (layout_.valueEnterAdds && focusWidget() == valueField_) {
            onAdd();
        } else {
            onOk();
        }
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

}  // namespace vorn
