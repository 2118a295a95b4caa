// What a report says about the program and the system it runs on.
#ifndef KESTRIX_FEEDBACK_PLATFORM_INFO_H
#define KESTRIX_FEEDBACK_PLATFORM_INFO_H

#include <QString>

namespace kestrix::feedback {

// "0.1.0" and the build number, "?" when either is missing.
QString shortVersion();
QString buildNumber();

// The system's name as users know it: "Linux", "macOS" or "Windows".
QString systemName();
// The system version as major.minor.patch: the kernel's on Linux, the
// product's on macOS and Windows.
QString osVersion();
// The first three decimal numbers of `version`, missing ones as 0
// ("6.1.0-18-amd64" gives "6.1.0", "14.2" gives "14.2.0").
QString threeNumberVersion(const QString &version);
// The distribution's name without its code name ("Debian GNU/Linux 12");
// empty off Linux, where the system name says it all.
QString distributionName();

// "Kestrix/0.1.0.1 (Linux 6.1.0; Debian GNU/Linux 12)".
QString userAgent();
// The block appended to a bug report's description.
QString systemInfo();

} // namespace kestrix::feedback

#endif
