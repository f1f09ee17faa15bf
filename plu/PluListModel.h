#pragma once
// The PLU list as a Qt model: one row per PLU, its display part as the row's text and both
// description lines as its tool tip. It shows the rows of a PluRowOrder (those holding the
// search text, sorted by a column); its row numbers are the view's, listRow and viewRow map
// them to and from the list's. It follows every change of the PluList it shows, which tells it
// before and after each: row by row while every row shows in list order, else anew.

#include <QAbstractListModel>

#include "plu/PluList.h"
#include "plu/PluRowOrder.h"

namespace vorn {

class PluListModel : public QAbstractListModel, private PluListObserver {
    Q_OBJECT
public:
    explicit PluListModel(PluList& list, QObject* parent = nullptr);
    ~PluListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const PluRowOrder& order() const { return order_; }
    void setOrder(PluRowOrder order);
    // The list index of a view row (which must exist), and the view row of a list index or -1
    // when that row is not shown.
    std::size_t listRow(int viewRow) const;
    int viewRow(std::size_t listRow) const;

private:
    void beginInsert(std::size_t index) override;
    void endInsert() override;
    void changed(std::size_t index) override;
    void beginRemove(std::size_t first, std::size_t last) override;
    void endRemove() override;
    void beginReset() override;
    void endReset() override;

    // Follows a reset of the list: the rows shown anew.
    void reshow();

    PluList& list_;
    PluRowOrder order_;
    std::vector<std::size_t> shown_;  // list indexes; unused while the list shows as it is
    bool resetting_ = false;          // a change of a filtered list is under way
};

}  // namespace vorn
