#include "widgets/NumEdit.h"

#include <QEvent>

#include "widgets/EntryGuard.h"
#include "widgets/QtText.h"

namespace vorn {

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
}

void CNumEdit::configure(int maxLength, int decimals) {
    limits_ = {maxLength, decimals};
}

std::string CNumEdit::valueAsHundredths() const {
    return hundredthsOfAmount(fromQString(text()));
}

void CNumEdit::showHundredths(const std::string& hundredths) {
    setText(toQString(amountOfHundredths(hundredths)));
}

bool CNumEdit::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::MouseButtonRelease:
        case QEvent::Drop:
            break;
        default:
            return QLineEdit::event(e);
    }
    // Every way the user changes the text: remember it, let the field apply the change, and
    // put the remembered text and selection back when the result is not acceptable.
    const QString before = text();
    const int start = selectionStart();
    const int selectionLength = selectedText().size();
    const int cursor = cursorPosition();
    const bool handled = QLineEdit::event(e);
    if (text() == before) {
        return handled;
    }
    // A decimal comma is the decimal point.
    const QString typed = QString::fromStdString(withDecimalPoint(text().toStdString(), limits_));
    if (typed != text()) {
        const int at = cursorPosition();
        setText(typed);
        setCursorPosition(at);
    }
    const std::string refusal = numericRefusal(text().toStdString(), limits_);
    if (!refusal.empty()) {
        setText(before);
        if (start >= 0 && selectionLength > 0) {
            // Keep the caret at the end it was on.
            if (cursor == start) {
                setSelection(start + selectionLength, -selectionLength);
            } else {
                setSelection(start, selectionLength);
            }
        } else {
            setCursorPosition(cursor);
        }
        reportRefusedEntry(this, refusal);
    }
    return handled;
}

}  // namespace vorn
