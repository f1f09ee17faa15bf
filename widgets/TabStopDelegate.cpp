#include "widgets/TabStopDelegate.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>

namespace vorn {

TabStopDelegate::TabStopDelegate(QAbstractItemView* view)
    : QStyledItemDelegate(view), view_(view) {}

void TabStopDelegate::setTabStops(std::vector<int> stops, Unit unit) {
    if (stops.empty()) {
        stops.push_back(kDefaultTabStop);
        unit = Unit::DialogUnits;
    }
    stops_ = std::move(stops);
    unit_ = unit;
    view_->viewport()->update();
}

qreal TabStopDelegate::pixels(int stop) const {
    if (unit_ == Unit::Columns) {
        // The exact advance of a character: a rounded one drifts a few pixels per column.
        const QFontMetricsF metrics(view_->font());
        return std::max(1.0, stop * metrics.horizontalAdvance(QLatin1Char('0')));
    }
    return std::max(1, stop * view_->fontMetrics().averageCharWidth() / 4);
}

int TabStopDelegate::tabStopPixels() const {
    return static_cast<int>(pixels(stops_.front()));
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
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
    // Tab positions count from the painter's origin: put it where the text starts, so that the
    // stops are measured from the row's first character wherever the row is drawn.
    painter->translate(area.topLeft());
    painter->drawText(QRectF(0, 0, area.width(), area.height()), text, textOption());
    painter->restore();
}

QTextOption TabStopDelegate::textOption() const {
    QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::NoWrap);
    if (stops_.size() == 1) {
        option.setTabStopDistance(pixels(stops_.front()));
    } else {
        QList<qreal> positions;
        for (int stop : stops_) {
            positions.append(pixels(stop));
        }
        option.setTabArray(positions);
    }
    return option;
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    QTextLayout layout(opt.text, opt.font);
    layout.setTextOption(textOption());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    const qreal textWidth = line.isValid() ? line.naturalTextWidth() : 0;
    layout.endLayout();
    // The item's text margins on both sides.
    const QStyle* style = opt.widget ? opt.widget->style() : nullptr;
    const int margin =
        style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, &opt, opt.widget) + 1 : 0;
    size.setWidth(static_cast<int>(std::ceil(textWidth)) + 2 * margin);
    return size;
}

}  // namespace vorn
