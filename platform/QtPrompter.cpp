#include "platform/QtPrompter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QString>
#include <QThread>

#include "platform/Translatable.h"

namespace vorn {

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The window the box belongs to: the modal dialog the user works in, else the active window,
// else the program's first visible window, so that it never stands alone on the screen.
QWidget* ownerWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->isWindow() && qobject_cast<QMessageBox*>(w) == nullptr) {
            return w;
        }
    }
    return nullptr;
}

QMessageBox::StandardButtons buttonsOf(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case PromptButtons::SaveDiscardCancel:
            return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
        case PromptButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

PromptAnswer showBox(const Prompt& prompt) {
    // Every box carries the program's title, also where no caption is given.
    const std::string title = prompt.caption.value_or(kApplicationTitle);
    const QString caption = QString::fromUtf8(title.empty() ? kApplicationTitle : title.c_str());
    // A text that the translations know is shown in the interface's language.
    const QString text = QCoreApplication::translate(kTranslationContext, prompt.text.c_str());
    QMessageBox box(boxIcon(prompt.icon), caption, text, buttonsOf(prompt.buttons), ownerWindow());
    if (prompt.buttons == PromptButtons::SaveDiscardCancel) {
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setDefaultButton(prompt.cancelIsDefault && prompt.buttons == PromptButtons::OkCancel
                                 ? QMessageBox::Cancel
                                 : QMessageBox::Ok);
    }
    box.setInformativeText(QString::fromUtf8(prompt.detail));
    // A detail of a few sentences (a device path, a command to run) reads better on wider
    // lines than the box gives it by itself.
    if (auto* detail = box.findChild<QLabel*>("qt_msgbox_informativelabel")) {
        detail->setMinimumWidth(box.fontMetrics().averageCharWidth() * 60);
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
        case QMessageBox::Save:
            return PromptAnswer::Ok;
        case QMessageBox::Discard:
            return PromptAnswer::Discard;
        default:
            return PromptAnswer::Cancel;
    }
}

}  // namespace

PromptAnswer QtPrompter::ask(const Prompt& prompt) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        return showBox(prompt);
    }
    PromptAnswer answer = PromptAnswer::Ok;
    QMetaObject::invokeMethod(
        app, [&answer, &prompt] { answer = showBox(prompt); }, Qt::BlockingQueuedConnection);
    return answer;
}

}  // namespace vorn
