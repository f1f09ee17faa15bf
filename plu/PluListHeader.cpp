#include "plu/PluListHeader.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "widgets/QtText.h"

namespace vorn {

namespace {

// The columns' captions, the words of the list's caption.
const char* const kColumnCaptions[] = {"PLU", "Description", "Price", "PLU type"};

}  // namespace

PluListHeader::PluListHeader(const QFont& listFont, const std::vector<int>& columnStarts,
                             int indent, QWidget* parent)
    : QWidget(parent) {
    auto* findLabel = new QLabel("&Find:", this);
    search_ = new QLineEdit(this);
    search_->setObjectName("find");
    search_->setAccessibleName("Find");
    search_->setToolTip("PLU number, item number or description");
    findLabel->setBuddy(search_);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        order_.search = fromQString(text);
        emit orderChanged();
    });

    auto* columns = new QHBoxLayout;
    columns->setSpacing(0);
    const qreal column = QFontMetricsF(listFont).horizontalAdvance(QLatin1Char('0'));
    for (std::size_t c = 0; c < std::size(kColumnCaptions) && c + 1 < columnStarts.size(); ++c) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromLatin1(kColumnCaptions[c]));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        // Reached with Tab, so that the keyboard sorts too; a click leaves the keyboard where
        // it was (the list, mostly).
        b->setFocusPolicy(Qt::TabFocus);
        const int from = static_cast<int>(std::lround(column * columnStarts[c]));
        const int to = static_cast<int>(std::lround(column * columnStarts[c + 1]));
        // The first column takes the list's frame and margin, so the others stand over theirs.
        b->setFixedWidth(to - from + (c == 0 ? indent : 0));
        connect(b, &QToolButton::clicked, this, [this, c] { sortBy(static_cast<PluColumn>(c)); });
        columns->addWidget(b);
        columns_.push_back(b);
    }
    columns->addStretch(1);
    showSortArrow();

    auto* find = new QHBoxLayout;
    find->addWidget(findLabel);
    find->addWidget(search_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(find);
    layout->addLayout(columns);
}

QWidget* PluListHeader::lastInTabOrder() const {
    return columns_.empty() ? static_cast<QWidget*>(search_) : columns_.back();
}

void PluListHeader::sortBy(PluColumn column) {
    order_.descending = order_.column == column && !order_.descending;
    order_.column = column;
    showSortArrow();
    emit orderChanged();
}

void PluListHeader::showSortArrow() {
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const bool sorts = static_cast<PluColumn>(c) == order_.column;
        columns_[c]->setIcon(sorts ? style()->standardIcon(order_.descending ? QStyle::SP_ArrowDown
                                                                             : QStyle::SP_ArrowUp)
                                   : QIcon());
        columns_[c]->setToolTip(sorts && order_.descending ? "Sorted down" : "Sort");
    }
}

}  // namespace vorn
