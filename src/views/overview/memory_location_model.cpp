#include "memory_location_model.h"

#include "overview_roles.h"

#include <QColor>

namespace kestrix {

void MemoryLocationModel::setSession(std::shared_ptr<const PTXSessionInfo> session)
{
    beginResetModel();
    session_ = std::move(session);
    endResetModel();
}

int MemoryLocationModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !session_ ? 0 : int(session_->memoryLocations.size());
}

QString MemoryLocationModel::timePropertyText(const PTXMemoryLocation &location)
{
    if (location.timeProperties == "marker")
        return QStringLiteral("Marker");
    if (location.timeProperties == "selection")
        return QStringLiteral("Selection");
    return QStringLiteral("None");
}

QColor MemoryLocationModel::markColor(const PTXMemoryLocation &location)
{
    if (location.timeProperties.empty() || location.timeProperties == "none")
        return {};
    if (!location.hasColor())
        return QColor(142, 142, 147, 77);
    return QColor(location.colorR, location.colorG, location.colorB);
}

QVariant MemoryLocationModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const PTXMemoryLocation &location = session_->memoryLocations[size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(location.name);
        case OverviewRole::color: return markColor(location);
        case OverviewRole::numberText: return QString::asprintf("%lld", static_cast<long long>(location.number));
        case OverviewRole::timePropertyText: return timePropertyText(location);
        case OverviewRole::referenceText: return QString::fromUtf8(location.referenceLabel());
        default: return {};
    }
}

} // namespace kestrix
