#include "widgets/RowListView.h"

#include <QFontDatabase>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "platform/QtPrompter.h"

namespace vorn {

namespace {

// Draws an item's text with its TABs expanded to the list's tab stops.
class TabStopDelegate : public QStyledItemDelegate {
public:
    explicit TabStopDelegate(RowListView* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QStyle* style = opt.widget ? opt.widget->style() : nullptr;
        if (style == nullptr) {
            return;
        }
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
        const bool selected = (opt.state & QStyle::State_Selected) != 0;
        const QPalette::ColorGroup group =
            (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(
            opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
        textOption.setWrapMode(QTextOption::NoWrap);
        textOption.setTabStopDistance(list_->tabStopPixels());
        painter->drawText(QRectF(area), text, textOption);
        painter->restore();
    }

private:
    const RowListView* list_;
};

}  // namespace

RowListView::RowListView(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setItemDelegate(new TabStopDelegate(this));
    setUniformItemSizes(true);
}

void RowListView::setTabStopDialogUnits(int units) {
    tabStopUnits_ = units;
    viewport()->update();
}

int RowListView::tabStopPixels() const {
    return std::max(1, tabStopUnits_ * fontMetrics().averageCharWidth() / 4);
}

void RowListView::showRows(const ListRows& rows) {
    const QSignalBlocker blocker(this);
    clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        addItem(toQString(rows.text(i)));
    }
    if (rows.caret() != ListRows::kNoRow) {
        setCurrentRow(static_cast<int>(rows.caret()), QItemSelectionModel::NoUpdate);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        item(static_cast<int>(i))->setSelected(rows.isSelected(i));
    }
}

void RowListView::copySelectionTo(ListRows& rows) const {
    for (std::size_t i = 0; i < rows.size() && i < static_cast<std::size_t>(count()); ++i) {
        rows.setSelected(i, item(static_cast<int>(i))->isSelected());
    }
    rows.setCaret(currentRow() < 0 ? ListRows::kNoRow : static_cast<std::size_t>(currentRow()));
}

}  // namespace vorn
