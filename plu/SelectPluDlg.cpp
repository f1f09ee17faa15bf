#include "plu/SelectPluDlg.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/QtText.h"
#include "widgets/TextRowView.h"

namespace vorn {

namespace {
const char* const kListCaption = "No  PLU Description        Price";
// Brought to the top once, a second after it opened.
constexpr int kRaiseMilliseconds = 1000;
}  // namespace

CSelectPluDlg::CSelectPluDlg(QWidget* parent) : QDialog(parent), received_(readReceivedPlus()) {
    setWindowTitle("Select PLU");
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(received_.size()));
    for (const ReceivedPlu& plu : received_) {
        std::string row = selectionRow(plu);
        for (char& c : row) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
                c = ' ';
            }
        }
        rows.append(toQString(row));
    }
    model_ = new QStringListModel(rows, this);
    list_ = new TextRowView(this);
    list_->setObjectName("list");
    list_->setModel(model_);
    list_->setAccessibleName(QString::fromLatin1(kListCaption));
    const int digit = list_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    list_->setMinimumSize(digit * 60, list_->fontMetrics().lineSpacing() * 16);

    auto* caption = new QLabel(QString::fromLatin1(kListCaption), this);
    caption->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    caption->setTextFormat(Qt::PlainText);
    caption->setIndent(list_->frameWidth() + 3);

    auto* selectUpdate = new QPushButton("SelectUpdate", this);
    auto* allUpdate = new QPushButton("AllUpdate", this);
    auto* cancel = new QPushButton("Cancel", this);
    selectUpdate->setDefault(true);
    allUpdate->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(selectUpdate, &QPushButton::clicked, this, [this] { take(list_->selectedRows()); });
    connect(allUpdate, &QPushButton::clicked, this, [this] {
        std::vector<std::size_t> all(received_.size());
        for (std::size_t i = 0; i < all.size(); ++i) {
            all[i] = i;
        }
        take(all);
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* b : {selectUpdate, allUpdate, cancel}) {
        b->setMinimumWidth(selectUpdate->sizeHint().width() + digit * 2);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(caption);
    left->addWidget(list_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(caption->sizeHint().height());
    buttons->addWidget(selectUpdate);
    buttons->addWidget(allUpdate);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    QTimer::singleShot(kRaiseMilliseconds, this, [this] {
        raise();
        activateWindow();
    });
}

bool CSelectPluDlg::choose(QWidget* parent) {
    CSelectPluDlg dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

void CSelectPluDlg::take(const std::vector<std::size_t>& rows) {
    if (writeChosenPlus(received_, rows)) {
        accept();
    }
}

}  // namespace vorn
