#include "editors/NumberedTableDlg.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "platform/QtPrompter.h"
#include "widgets/NumEdit.h"

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

namespace {

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
    : QDialog(parent), table_(kind), layout_(layout) {
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
    list_->setMinimumWidth(cw * (tabChars + kind.valueMaxLength + 4));
    list_->setMinimumHeight(list_->fontMetrics().lineSpacing() * 10);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { onPick(list_->row(item)); });

    if (layout_.numericValue) {
        auto* numeric = new CNumEdit(this);
        numeric->configure(kind.valueMaxLength, layout_.valueDecimals);
        value_ = numeric;
    } else {
        value_ = new QLineEdit(this);
        value_->setMaxLength(kind.valueMaxLength);
    }
    number_ = new QLineEdit(this);
    number_->setObjectName("number");
    number_->setMaxLength(kind.numberMaxLength);
    if (layout_.numberDigitsOnly) {
        number_->setValidator(
            new QRegularExpressionValidator(QRegularExpression("[0-9]*"), number_));
    }
    value_->setObjectName("value");
    if (layout_.valueCentred) {
        value_->setAlignment(Qt::AlignCenter);
    }
    value_->installEventFilter(this);
    connect(number_, &QLineEdit::textEdited, this, &NumberedTableDlg::onNumberEdited);
    connect(value_, &QLineEdit::textEdited, this, &NumberedTableDlg::onValueEdited);

    auto* left = new QVBoxLayout;
    left->addWidget(captionLabel(layout_.listCaption, this));
    left->addWidget(list_, 1);
    left->addLayout(buildFields());

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
    right->addWidget(button("Cancel", &NumberedTableDlg::reject));
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
    setTabOrder(number_, value_);
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
        value_->setAccessibleName(trimmedCaption(layout_.valueCaption));
    } else {
        // One caption over both: the value field starts under the caption's second part.
        const std::vector<CaptionPart> parts = captionParts(layout_.fieldsCaption);
        grid->addWidget(captionLabel(layout_.fieldsCaption, this), 0, 0, 1, 3);
        if (!parts.empty()) {
            number_->setAccessibleName(QString::fromLatin1(parts[0].text.c_str()));
        }
        if (parts.size() > 1) {
            value_->setAccessibleName(QString::fromLatin1(parts[1].text.c_str()));
            numberWidth = std::max(numberWidth, cw * parts[1].column - grid->horizontalSpacing());
        }
    }
    number_->setFixedWidth(numberWidth);
    value_->setMinimumWidth(cw * kind.valueMaxLength + frame);
    if (kind.valueMaxLength <= 10) {
        value_->setMaximumWidth(value_->minimumWidth());  // a short amount needs no room
    }
    grid->addWidget(number_, 1, 0);
    grid->addWidget(value_, 1, 1);
    grid->setColumnStretch(2, 1);
    return grid;
}

void NumberedTableDlg::readFields() {
    table_.fields() = {fromQString(number_->text()), fromQString(value_->text())};
}

void NumberedTableDlg::writeFields() {
    number_->setText(toQString(table_.fields().number));
    value_->setText(toQString(table_.fields().value));
}

void NumberedTableDlg::showRows() {
    list_->showRows(table_.rows());
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
        }
    }
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
    readFields();
    if (table_.save()) {
        accept();
    }
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
        } else if (layout_.valueEnterAdds && focusWidget() == value_) {
            onAdd();
        } else {
            onOk();
        }
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool NumberedTableDlg::eventFilter(QObject* watched, QEvent* e) {
    // Typing past the value field's length adds the row, as if "Add" were pressed.
    if (watched == value_ && e->type() == QEvent::KeyPress && layout_.valueOverflowAdds) {
        const auto* key = static_cast<QKeyEvent*>(e);
        const QString typed = key->text();
        if (!typed.isEmpty() && typed.at(0).isPrint() && !value_->hasSelectedText() &&
            value_->text().size() >= value_->maxLength()) {
            onAdd();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace vorn
