// Diagnostics of the whole application go to stderr, one line each, starting
// with the component in square brackets ("[PTXSession] Parse failed: ...").
#ifndef KESTRIX_APP_APP_LOGGING_H
#define KESTRIX_APP_APP_LOGGING_H

#include <QString>
#include <QtGlobal>

namespace kestrix {

// Installs the Qt message handler and routes the model's log lines through it.
void installApplicationLogging();

// The line written for a Qt message: kept as it is when it already names its
// component, otherwise prefixed with the logging category ("[qt.qpa.xcb]"),
// or "[Qt]" for the default category.
QString formatLogLine(const char *category, const QString &message);

} // namespace kestrix

#endif
