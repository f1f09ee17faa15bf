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

PromptAnswer showBox(const Prompt& prompt) {
    const QString caption = QString::fromUtf8(prompt.caption.value_or(kApplicationTitle));
    // A text that the translations know is shown in the interface's language.
    const QString text = QCoreApplication::translate(kTranslationContext, prompt.text.c_str());
    QMessageBox box(boxIcon(prompt.icon), caption, text,
                    prompt.buttons == PromptButtons::OkCancel
                        ? QMessageBox::Ok | QMessageBox::Cancel
                        : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setInformativeText(QString::fromUtf8(prompt.detail));
    // A detail of a few sentences (a device path, a command to run) reads better on wider
    // lines than the box gives it by itself.
    if (auto* detail = box.findChild<QLabel*>("qt_msgbox_informativelabel")) {
        detail->setMinimumWidth(box.fontMetrics().averageCharWidth() * 60);
    }
    return box.exec() == QMessageBox::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
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
