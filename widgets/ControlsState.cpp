#include "widgets/ControlsState.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>

#include "platform/Prompter.h"

namespace vorn {

namespace {

void addState(const QWidget* w, QStringList& state) {
    if (const auto* line = qobject_cast<const QLineEdit*>(w)) {
        state << line->text();
    } else if (const auto* text = qobject_cast<const QTextEdit*>(w)) {
        state << text->toPlainText();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w);
               button != nullptr && button->isCheckable()) {
        state << (button->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    } else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
        state << combo->currentText();
    } else if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w)) {
        state << spin->text();
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(w);
               view != nullptr && view->model() != nullptr) {
        const QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            state << model->index(row, 0).data().toString();
        }
    }
}

}  // namespace

QStringList controlsState(const QWidget* root) {
    QStringList state;
    addState(root, state);
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        addState(w, state);
    }
    return state;
}

bool closeWithoutSaving(const std::function<void()>& save) {
    const PromptAnswer answer = askToSave(kUnsavedChangesQuestion);
    if (answer == PromptAnswer::Ok) {
        save();
    }
    return answer == PromptAnswer::Discard;
}

}  // namespace vorn
