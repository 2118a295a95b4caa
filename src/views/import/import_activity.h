// Whether an import into Pro Tools is running anywhere in the process. The
// PTSL connection and its import batch are shared by every window, so a
// second import never starts while one runs.
#ifndef KESTRIX_VIEWS_IMPORT_IMPORT_ACTIVITY_H
#define KESTRIX_VIEWS_IMPORT_IMPORT_ACTIVITY_H

#include <QString>

namespace kestrix {

class ImportActivity {
public:
    // Claims the process's one import; false when another holds it.
    static bool tryBegin();
    // Releases it; any thread.
    static void end();
    static bool running();
};

// What the user reads when an import is asked for while one runs.
QString importAlreadyRunningText();

} // namespace kestrix

#endif
