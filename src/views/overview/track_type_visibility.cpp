#include "track_type_visibility.h"

#include <QSettings>

namespace kestrix {

namespace {

// The switch for a type and its preference key; null for types without one.
bool *switchOf(TrackTypeFilter &filter, PTXTrackType type, const char **key)
{
    switch (type) {
        case PTXTrackType::audio: *key = "trackTypeVisibility.audio"; return &filter.audio;
        case PTXTrackType::instrument: *key = "trackTypeVisibility.instrument"; return &filter.instrument;
        case PTXTrackType::aux: *key = "trackTypeVisibility.aux"; return &filter.aux;
        case PTXTrackType::vca: *key = "trackTypeVisibility.vca"; return &filter.vca;
        default: return nullptr;
    }
}

} // namespace

TrackTypeVisibility &TrackTypeVisibility::shared()
{
    static TrackTypeVisibility *instance = new TrackTypeVisibility;
    return *instance;
}

TrackTypeVisibility::TrackTypeVisibility()
{
    const QSettings settings;
    for (PTXTrackType type : kSwitchedTypes) {
        const char *key = nullptr;
        bool *shown = switchOf(filter_, type, &key);
        *shown = settings.value(QLatin1String(key), true).toBool();
    }
}

void TrackTypeVisibility::setShown(PTXTrackType type, bool shown)
{
    const char *key = nullptr;
    bool *current = switchOf(filter_, type, &key);
    if (!current || *current == shown)
        return;
    *current = shown;
    QSettings().setValue(QLatin1String(key), shown);
    emit filterChanged(filter_);
}

} // namespace kestrix
