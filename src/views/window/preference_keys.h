// The names under which the application keeps its state in the user's
// preferences. Stored files written by earlier versions use the same names,
// so they never change.
#ifndef KESTRIX_VIEWS_WINDOW_PREFERENCE_KEYS_H
#define KESTRIX_VIEWS_WINDOW_PREFERENCE_KEYS_H

#include <QLatin1StringView>

namespace kestrix::prefs {

// Recent files, most recent first, as absolute paths.
inline constexpr QLatin1StringView kRecentFileURLs{"recentFileURLs"};
// The file windows open at the last write, front-most first.
inline constexpr QLatin1StringView kOpenFileURLs{"openFileURLs"};
// Set once the start window has been shown to this user.
inline constexpr QLatin1StringView kWelcomeScreenShown{"welcomeScreenShown"};
// Followed by the Base64 of the file's absolute path: one view-settings record per file.
inline constexpr QLatin1StringView kPerFilePrefix{"kestrix.perFile."};
// The keys of the per-file records, most recently used first, so that the
// oldest can be let go.
inline constexpr QLatin1StringView kPerFileRecentlyUsed{"kestrix.perFileRecentlyUsed"};

} // namespace kestrix::prefs

#endif
