// The view settings remembered for each session file: the timeline overview's
// selection and zoom, the section disclosure states and the window frame.
// Stored as JSON bytes under a key made from the file's path.
#ifndef KESTRIX_VIEWS_WINDOW_PER_FILE_SETTINGS_H
#define KESTRIX_VIEWS_WINDOW_PER_FILE_SETTINGS_H

#include "universe_state.h"

#include <QRect>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// A window's frame in screen coordinates: the window's client area as the
// window system reports it.
// Larger than any screen a window has been placed on: a frame beyond it is
// not one the window system gave us.
inline constexpr double kLargestFrameCoordinate = 1'000'000;

struct PersistedFrame {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    static PersistedFrame fromRect(const QRect &rect);
    QRect toRect() const;
    bool operator==(const PersistedFrame &) const = default;
};

struct PerFileSettings {
    UniverseSelection universeSelection;
    UniverseViewport universeViewport;
    double overviewUniverseExtraHeight = 0;
    std::optional<PersistedFrame> windowFrame;
    bool sessionInfoExpanded = true;
    bool overviewExpanded = true;
    bool audioFilesExpanded = false;
    bool pluginsExpanded = false;
    bool activePluginsExpanded = true;
    bool inactivePluginsExpanded = true;
    bool tracksExpanded = false;
    bool clipsExpanded = false;
    bool locationsExpanded = false;

    bool operator==(const PerFileSettings &) const = default;
};

// "kestrix.perFile." + Base64 of the UTF-8 standardised absolute path.
QString perFileSettingsKey(const QString &filePath);

std::string encodePerFileSettings(const PerFileSettings &settings);
// None unless every key but windowFrame is present with the right type and
// every number is finite. Values are brought within what the window itself
// can produce: zooms 1 to 64, offsets and sizes not negative, the extra
// timeline height at most 600; a frame no screen could show is dropped.
std::optional<PerFileSettings> decodePerFileSettings(std::string_view json);

} // namespace kestrix

#endif
