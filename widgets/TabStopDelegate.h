#pragma once
// Draws a list row's text on one line with its TABs expanded to the list's tab stops, given in
// dialog units (a quarter of the average character width of the list's font), as the list
// boxes of the scale program's dialogs do, or in character columns of a fixed-pitch font (so
// that the columns stand under a caption in the same font). One stop means a stop every so many
// units; several are the positions of the stops.

#include <QStyledItemDelegate>
#include <QTextOption>
#include <vector>

class QAbstractItemView;

namespace vorn {

class TabStopDelegate : public QStyledItemDelegate {
public:
    // The list boxes' default tab stops: every 32 dialog units (8 characters).
    static constexpr int kDefaultTabStop = 32;

    explicit TabStopDelegate(QAbstractItemView* view);

    enum class Unit { DialogUnits, Columns };
    void setTabStops(std::vector<int> stops, Unit unit = Unit::DialogUnits);
    // The distance of the stops (the first one when there are several) in pixels.
    int tabStopPixels() const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // As wide as the text with its TABs expanded.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    qreal pixels(int stop) const;
    QTextOption textOption() const;

    QAbstractItemView* view_;
    std::vector<int> stops_{kDefaultTabStop};
    Unit unit_ = Unit::DialogUnits;
};

}  // namespace vorn
