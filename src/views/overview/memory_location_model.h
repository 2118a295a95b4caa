// The memory-location list: colour mark, number, name, time property and
// reference of each location, in number order.
#ifndef KESTRIX_VIEWS_OVERVIEW_MEMORY_LOCATION_MODEL_H
#define KESTRIX_VIEWS_OVERVIEW_MEMORY_LOCATION_MODEL_H

#include "session_info.h"

#include <QAbstractListModel>

#include <memory>

namespace kestrix {

class MemoryLocationModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setSession(std::shared_ptr<const PTXSessionInfo> session);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // "Marker", "Selection", or "None" for any other time property.
    static QString timePropertyText(const PTXMemoryLocation &location);
    // The mark's colour; invalid when the location has no time properties
    // and so no mark.
    static QColor markColor(const PTXMemoryLocation &location);

private:
    std::shared_ptr<const PTXSessionInfo> session_;
};

} // namespace kestrix

#endif
