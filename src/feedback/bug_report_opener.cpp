#include "bug_report_opener.h"

#include <QDebug>

namespace kestrix::feedback {

namespace {

BugReportOpener &registeredOpener()
{
    static BugReportOpener opener;
    return opener;
}

bool openOrLog(const QString &description, const QString &attachmentPath, const char *component)
{
    if (openBugReport(description, attachmentPath))
        return true;
    qWarning().noquote() << QStringLiteral("[%1] No AppDelegate; cannot open bug report").arg(QLatin1String(component));
    return false;
}

} // namespace

void setBugReportOpener(BugReportOpener opener)
{
    registeredOpener() = std::move(opener);
}

bool openBugReport(const QString &description, const QString &attachmentPath)
{
    const BugReportOpener &opener = registeredOpener();
    if (!opener)
        return false;
    opener(description, attachmentPath);
    return true;
}

QString playbackLogDescription()
{
    return QStringLiteral("Audio playback issue:\n\nPlease describe what you tried to play, what you expected to "
                          "hear, and what actually happened (no sound, wrong channels, distortion, etc.).\n\nA "
                          "diagnostic log of recent audio playback activity is attached as a text file.");
}

bool openBugReportForPlaybackLog(const QString &logFilePath)
{
    return openOrLog(playbackLogDescription(), logFilePath, "AudioPlaybackLog");
}

QString importProblemDescription(const QString &errorText)
{
    if (errorText.isEmpty())
        return QStringLiteral("\n\nPlease describe what you expected vs. what happened.\nA diagnostic transcript is "
                              "attached as a text file.");
    return errorText + QStringLiteral("\n\nA diagnostic transcript is attached as a text file.");
}

bool openBugReportForImport(const QString &errorText, const QString &reportFilePath)
{
    return openOrLog(importProblemDescription(errorText), reportFilePath, "Import");
}

} // namespace kestrix::feedback
