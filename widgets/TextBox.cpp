#include "widgets/TextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "widgets/EntryGuard.h"
#include "widgets/NumericText.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {

// The length as the editors count it: a line break is the two characters CR LF.
int countedLength(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

QString withLineFeeds(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

int linesWrappedAnywhere(const QString& text, int columns) {
    int lines = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const auto length = static_cast<int>(line.size());
        lines += columns > 0 && length > columns ? (length + columns - 1) / columns : 1;
    }
    return lines;
}

TextBox::TextBox(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setShape(columns_, visibleLines_, wrap_);
}

void TextBox::setMaxLength(int characters) {
    maxLength_ = characters;
}

void TextBox::setMaxLines(int lines) {
    maxLines_ = lines;
    // A box that holds no more lines than it shows never scrolls up and down.
    setVerticalScrollBarPolicy(maxLines_ > 0 && maxLines_ <= visibleLines_ ? Qt::ScrollBarAlwaysOff
                                                                           : Qt::ScrollBarAsNeeded);
    updateGeometry();
}

void TextBox::setShape(int columns, int visibleLines, Wrap wrap) {
    columns_ = columns;
    visibleLines_ = visibleLines;
    wrap_ = wrap;
    switch (wrap) {
        case Wrap::None:
            setLineWrapMode(QTextEdit::NoWrap);
            break;
        case Wrap::Words: {
            // A fixed column width breaks after exactly that many characters, even inside a
            // word; words wrap at the pixel width of the columns in the fixed-pitch font (the
            // document's margins within it), with half a character to spare.
            const QFontMetrics metrics(font());
            const int margins = 2 * static_cast<int>(document()->documentMargin());
            setLineWrapMode(QTextEdit::FixedPixelWidth);
            setLineWrapColumnOrWidth(metrics.horizontalAdvance(QString(columns, QLatin1Char('0'))) +
                                     metrics.horizontalAdvance(QLatin1Char('0')) / 2 + margins);
            break;
        }
        case Wrap::Anywhere:
            setLineWrapMode(QTextEdit::FixedColumnWidth);
            setLineWrapColumnOrWidth(columns);
            break;
    }
    applyTextOption();
    setMaxLines(maxLines_);
}

void TextBox::setCentred(bool centred) {
    centred_ = centred;
    applyTextOption();
}

void TextBox::applyTextOption() {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(centred_ ? Qt::AlignHCenter : Qt::AlignLeft);
    switch (wrap_) {
        case Wrap::None:
            option.setWrapMode(QTextOption::NoWrap);
            break;
        case Wrap::Words:
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            break;
        case Wrap::Anywhere:
            option.setWrapMode(QTextOption::WrapAnywhere);
            break;
    }
    setWordWrapMode(option.wrapMode());
    document()->setDefaultTextOption(option);
}

std::string TextBox::text() const {
    QString plain = toPlainText();
    plain.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return fromQString(plain);
}

void TextBox::setText(const std::string& text) {
    setPlainText(withLineFeeds(toQString(text)));
    applyTextOption();
}

std::vector<std::string> TextBox::displayedLines() const {
    std::vector<std::string> lines;
    document()->documentLayout()->documentSize();  // lays the whole text out
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QString text = block.text();
        const int count = layout != nullptr ? layout->lineCount() : 0;
        for (int i = 0; i < count; ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.push_back(fromQString(text.mid(line.textStart(), line.textLength())));
        }
        if (count == 0) {
            lines.push_back(fromQString(text));
        }
        if (block.next().isValid()) {
            lines.back() += "\r\n";
        }
    }
    return lines;
}

std::string TextBox::refusalOf(const QString& inserted) const {
    std::string refusal = characterSetRefusal(QString(inserted).remove(QLatin1Char('\n')));
    if (!refusal.empty()) {
        return refusal;
    }
    const QString text = withInsertion(inserted);
    if (countedLength(text) > maxLength_) {
        return lengthRefusal(maxLength_);
    }
    if (maxLines_ > 0 &&
        linesWrappedAnywhere(text, wrap_ == Wrap::None ? 0 : columns_) > maxLines_) {
        return "takes at most " + std::to_string(maxLines_) + (maxLines_ == 1 ? " line" : " lines");
    }
    return {};
}

QString TextBox::withInsertion(const QString& inserted) const {
    const QTextCursor cursor = textCursor();
    const QString text = toPlainText();
    return text.left(cursor.selectionStart()) + inserted + text.mid(cursor.selectionEnd());
}

void TextBox::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers modifiers = e->modifiers() & ~Qt::KeypadModifier;
    QString inserted;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if ((modifiers & ~Qt::ShiftModifier) != Qt::NoModifier) {
            QTextEdit::keyPressEvent(e);
            return;
        }
        inserted = QStringLiteral("\n");
    } else if (!e->text().isEmpty() && e->text().at(0).isPrint() &&
               (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
                   Qt::NoModifier) {
        inserted = e->text();
    }
    if (inserted.isEmpty()) {
        QTextEdit::keyPressEvent(e);
        return;
    }
    e->accept();
    if (const std::string refusal = refusalOf(inserted); !refusal.empty()) {
        // An Enter past the last line is a key of the dialog when the dialog takes it.
        if (inserted == QLatin1String("\n") &&
            isSignalConnected(QMetaMethod::fromSignal(&TextBox::enterPastLastLine))) {
            emit enterPastLastLine();
            return;
        }
        reportRefusedEntry(this, refusal);
        emit overflowed();
        return;
    }
    // A new line is always a paragraph, also with Shift.
    if (inserted == QLatin1String("\n")) {
        textCursor().insertText(inserted);
        ensureCursorVisible();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void TextBox::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        return;
    }
    const QString inserted = withLineFeeds(source->text());
    if (const std::string refusal = refusalOf(inserted); !refusal.empty()) {
        reportRefusedEntry(this, refusal);
        emit overflowed();
        return;
    }
    textCursor().insertText(inserted);
    ensureCursorVisible();
}

QSize TextBox::sizeHint() const {
    const QFontMetrics metrics(font());
    const int margins = 2 * (frameWidth() + static_cast<int>(document()->documentMargin()));
    int width = metrics.horizontalAdvance(QLatin1Char('0')) * (columns_ + 1) + margins;
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
        width += verticalScrollBar()->sizeHint().width();
    }
    const int height = metrics.lineSpacing() * visibleLines_ + margins;
    return {width, height};
}

QSize TextBox::minimumSizeHint() const {
    return sizeHint();
}

}  // namespace vorn
