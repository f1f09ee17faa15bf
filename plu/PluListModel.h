#pragma once
// The PLU list as a Qt model: one row per PLU, its display part as the row's text. It follows
// every change of the PluList it shows, which tells it before and after each.

#include <QAbstractListModel>

#include "plu/PluList.h"

namespace vorn {

class PluListModel : public QAbstractListModel, private PluListObserver {
    Q_OBJECT
public:
    explicit PluListModel(PluList& list, QObject* parent = nullptr);
    ~PluListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void beginInsert(std::size_t index) override;
    void endInsert() override;
    void changed(std::size_t index) override;
    void beginRemove(std::size_t first, std::size_t last) override;
    void endRemove() override;
    void beginReset() override;
    void endReset() override;

    PluList& list_;
};

}  // namespace vorn
