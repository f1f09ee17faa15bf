#include "widgets/EntryGuard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include "platform/Prompter.h"
#include "tables/ScaleCharacters.h"
#include "widgets/NumEdit.h"
#include "widgets/NumericText.h"

namespace vorn {

namespace {

// QLineEdit's length when none is set.
constexpr int kUnlimitedLength = 32767;

QString fieldName(const QWidget* field) {
    QString name = field != nullptr ? field->accessibleName().trimmed() : QString();
    while (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
    }
    return name.isEmpty() ? QStringLiteral("This field") : name;
}

// The text the user means to insert by the event; empty when the event inserts nothing.
QString insertedText(QEvent* e) {
    if (e->type() == QEvent::InputMethod) {
        return static_cast<QInputMethodEvent*>(e)->commitString();
    }
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->matches(QKeySequence::Paste)) {
        return QApplication::clipboard()->text();
    }
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) !=
            Qt::NoModifier) {
        return {};
    }
    return text;
}

// Why the line edit refuses the insertion; empty when it takes it whole.
std::string refusalOf(const QLineEdit* edit, const QString& inserted) {
    std::string refusal = characterSetRefusal(inserted);
    if (!refusal.empty()) {
        return refusal;
    }
    const QString text = edit->text();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int removed = edit->hasSelectedText() ? static_cast<int>(edit->selectedText().size()) : 0;
    QString candidate = text.left(start) + inserted + text.mid(start + removed);
    if (candidate.size() > edit->maxLength()) {
        return lengthRefusal(edit->maxLength());
    }
    if (const QValidator* validator = edit->validator()) {
        int position = start + static_cast<int>(inserted.size());
        if (validator->validate(candidate, position) != QValidator::Invalid) {
            return {};
        }
        // Name the character the field never takes, else the text it does not take.
        for (const QChar c : inserted) {
            QString alone(c);
            int at = 1;
            if (validator->validate(alone, at) == QValidator::Invalid) {
                return characterRefusal(QString(c).toStdString());
            }
        }
        return characterRefusal(candidate.toStdString());
    }
    return {};
}

}  // namespace

void reportRefusedEntry(const QWidget* field, const std::string& reason) {
    tell(fieldName(field).toStdString() + " " + reason + ".", PromptIcon::Warning);
}

std::string characterSetRefusal(const QString& typed) {
    for (const char32_t c : typed.toUcs4()) {
        if (!scaleHoldsCharacter(c)) {
            const QString named = QString::fromUcs4(&c, 1);
            return characterRefusal(named.toStdString()) +
                   ": the scale's character set does not hold it";
        }
    }
    return {};
}

bool EntryGuard::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::InputMethod) {
        return false;
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    // Fields of a record have a length or a validator; a path or a search field has neither.
    if (edit == nullptr || edit->isReadOnly() || !edit->isEnabled() ||
        qobject_cast<CNumEdit*>(edit) != nullptr ||
        qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) != nullptr ||
        (edit->maxLength() >= kUnlimitedLength && edit->validator() == nullptr)) {
        return false;
    }
    const QString inserted = insertedText(e);
    if (inserted.isEmpty()) {
        return false;
    }
    const std::string refusal = refusalOf(edit, inserted);
    if (refusal.empty()) {
        return false;
    }
    reportRefusedEntry(edit, refusal);
    e->accept();
    return true;
}

void installEntryGuard() {
    static EntryGuard* guard = nullptr;
    if (guard == nullptr && qApp != nullptr) {
        guard = new EntryGuard(qApp);
        qApp->installEventFilter(guard);
    }
}

}  // namespace vorn
