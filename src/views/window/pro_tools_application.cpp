#include "pro_tools_application.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>

namespace kestrix {

namespace {

QString usualPath()
{
#if defined(Q_OS_MACOS)
    return QStringLiteral("/Applications/Pro Tools.app");
#elif defined(Q_OS_WIN)
    return QStringLiteral("C:/Program Files/Avid/Pro Tools/ProTools.exe");
#else
    return {}; // Pro Tools is not made for this platform; only a configured path counts
#endif
}

} // namespace

std::optional<QString> proToolsApplicationPath()
{
    QString path = QSettings().value(QLatin1String(kProToolsApplicationPathKey)).toString();
    if (path.isEmpty())
        path = usualPath();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return std::nullopt;
    return path;
}

bool openWithProTools(const QString &applicationPath, const QString &sessionPath)
{
#if defined(Q_OS_MACOS)
    return QProcess::startDetached(QStringLiteral("/usr/bin/open"),
                                   {QStringLiteral("-a"), applicationPath, sessionPath});
#else
    return QProcess::startDetached(applicationPath, {sessionPath});
#endif
}

} // namespace kestrix
