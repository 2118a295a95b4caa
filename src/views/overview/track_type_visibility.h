// Which track types the track list shows: four switches kept as
// preferences, shared by every window.
#ifndef KESTRIX_VIEWS_OVERVIEW_TRACK_TYPE_VISIBILITY_H
#define KESTRIX_VIEWS_OVERVIEW_TRACK_TYPE_VISIBILITY_H

#include "track_type_filter.h"

#include <QObject>

#include <array>

namespace kestrix {

class TrackTypeVisibility : public QObject {
    Q_OBJECT
public:
    // The types that have a switch, in menu order.
    static constexpr std::array kSwitchedTypes{PTXTrackType::audio, PTXTrackType::instrument, PTXTrackType::aux,
                                               PTXTrackType::vca};

    // The process-wide instance; reads the stored switches on first use.
    static TrackTypeVisibility &shared();

    const TrackTypeFilter &filter() const { return filter_; }
    // Stores the switch of one of kSwitchedTypes.
    void setShown(PTXTrackType type, bool shown);

signals:
    void filterChanged(const kestrix::TrackTypeFilter &filter);

private:
    TrackTypeVisibility();

    TrackTypeFilter filter_;
};

} // namespace kestrix

#endif
