// The Pro Tools application that "Open with Pro Tools" hands a session to:
// the path in the preference "proToolsApplicationPath", else the place Pro
// Tools installs itself on this platform.
#ifndef KESTRIX_VIEWS_WINDOW_PRO_TOOLS_APPLICATION_H
#define KESTRIX_VIEWS_WINDOW_PRO_TOOLS_APPLICATION_H

#include <QString>

#include <optional>

namespace kestrix {

inline constexpr const char *kProToolsApplicationPathKey = "proToolsApplicationPath";

// None when no Pro Tools application exists at the configured or usual place.
std::optional<QString> proToolsApplicationPath();

// Starts the application with the session; false when it could not be started.
bool openWithProTools(const QString &applicationPath, const QString &sessionPath);

} // namespace kestrix

#endif
