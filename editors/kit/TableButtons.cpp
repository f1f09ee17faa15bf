#include "editors/kit/TableButtons.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn {

TableButtons tableButtons(QDialog* dialog, CancelPlace cancelPlace,
                          const std::function<void()>& onOk, const std::function<void()>& onSend,
                          const std::function<void()>& onReceive) {
    const auto button = [dialog](const char* text, const std::function<void()>& onClick) {
        auto* b = new QPushButton(QString::fromLatin1(text), dialog);
        QObject::connect(b, &QPushButton::clicked, dialog, onClick);
        return b;
    };
    QPushButton* ok = button("OK", onOk);
    ok->setDefault(true);
    // Cancel discards on purpose; Escape and the close box (reject) may ask first.
    QPushButton* cancel = button("Cancel", [dialog] { dialog->done(QDialog::Rejected); });
    QPushButton* send = button("PC->Sc", onSend);
    QPushButton* receive = button("Sc->PC", onReceive);

    TableButtons buttons;
    buttons.order = cancelPlace == CancelPlace::AfterOk
                        ? std::vector<QPushButton*>{ok, cancel, send, receive}
                        : std::vector<QPushButton*>{ok, send, receive, cancel};
    buttons.layout = new QVBoxLayout;
    for (QPushButton* b : buttons.order) {
        // The transfer buttons stand apart from OK and Cancel.
        if (b == send || (b == cancel && cancelPlace == CancelPlace::Last)) {
            buttons.layout->addSpacing(12);
        }
        buttons.layout->addWidget(b);
    }
    buttons.layout->addStretch(1);
    return buttons;
}

}  // namespace vorn
