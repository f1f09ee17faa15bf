#pragma once
// What an entry field does with an entry it cannot take: it refuses it whole and says why at once,
// naming the field and the reason, instead of dropping characters or cutting the text silently.
// The guard watches every plain one-line field of the application (QLineEdit) that has a length
// or a validator of its own, as the fields of a record have (not a path or a search): a keystroke,
// a paste or an input-method text that the field's length or its validator would drop, or that
// holds a character the scale cannot hold, is refused with a message. CNumEdit and TextBox run
// their own checks and report through the same function.

#include <QObject>

#include <string>

class QWidget;

namespace vorn {

// Tells "<field's name> <reason>." as a warning; the name is the field's accessible name without
// a trailing colon ("This field" when it has none).
void reportRefusedEntry(const QWidget* field, const std::string& reason);

// The reason a text typed into a field that reaches the scale is refused: the first character
// the scale cannot hold, named; empty when every character is held.
std::string characterSetRefusal(const QString& typed);

class EntryGuard : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override;
};

// Installs one guard on the application; every QLineEdit is watched from then on.
void installEntryGuard();

}  // namespace vorn
