// How the rest of the program opens the bug report form without knowing the
// window that holds it: the application delegate registers an opener, and the
// playback log and the import dialogs call the functions below. Main thread only.
#ifndef KESTRIX_FEEDBACK_BUG_REPORT_OPENER_H
#define KESTRIX_FEEDBACK_BUG_REPORT_OPENER_H

#include <QString>

#include <functional>

namespace kestrix::feedback {

// Opens (or raises) the bug report form with the description and the file
// given; an empty text or path leaves that part of the form as it is.
using BugReportOpener = std::function<void(const QString &description, const QString &attachmentPath)>;

// An empty opener removes the registered one.
void setBugReportOpener(BugReportOpener opener);

// False, and nothing opens, when no opener is registered.
bool openBugReport(const QString &description, const QString &attachmentPath);

// The playback log's send: `logFilePath` attached, the audio-issue text
// prefilled. Logs "[AudioPlaybackLog] No AppDelegate; cannot open bug report"
// when nothing can open the form.
bool openBugReportForPlaybackLog(const QString &logFilePath);
QString playbackLogDescription();

// The import dialogs' "Report A Problem…": the written import report
// attached; the error text (empty when the import had none) and a note about
// the attachment prefilled. Logs "[Import] No AppDelegate; cannot open bug
// report" when nothing can open the form.
bool openBugReportForImport(const QString &errorText, const QString &reportFilePath);
QString importProblemDescription(const QString &errorText);

} // namespace kestrix::feedback

#endif
