// Diagnostics of the whole application go to stderr, one line each, starting
// with the component in square brackets ("[PTXSession] Parse failed: ...").
#ifndef KESTRIX_APP_APP_LOGGING_H
#define KESTRIX_APP_APP_LOGGING_H

namespace kestrix {

// Installs the Qt message handler and routes the model's log lines through
// it. Qt's own messages are prefixed with their logging category
// ("[qt.qpa.xcb]"), or "[Qt]" when they have none.
void installApplicationLogging();

} // namespace kestrix

#endif
