#include "platform_info.h"

#include <QRegularExpression>
#include <QStringList>
#include <QSysInfo>

namespace kestrix::feedback {

namespace {

QString orQuestionMark(const char *text)
{
    const QString value = QString::fromUtf8(text).trimmed();
    return value.isEmpty() ? QStringLiteral("?") : value;
}

} // namespace

QString shortVersion()
{
    return orQuestionMark(KESTRIX_VERSION);
}

QString buildNumber()
{
    return orQuestionMark(KESTRIX_BUILD_NUMBER);
}

QString systemName()
{
    const QString kernel = QSysInfo::kernelType();
    if (kernel == QLatin1String("darwin"))
        return QStringLiteral("macOS");
    if (kernel == QLatin1String("winnt"))
        return QStringLiteral("Windows");
    if (kernel == QLatin1String("linux"))
        return QStringLiteral("Linux");
    return kernel.isEmpty() ? QStringLiteral("Unknown system") : kernel;
}

QString osVersion()
{
    const bool kernelNamesTheSystem = QSysInfo::kernelType() == QLatin1String("linux");
    return threeNumberVersion(kernelNamesTheSystem ? QSysInfo::kernelVersion() : QSysInfo::productVersion());
}

QString threeNumberVersion(const QString &version)
{
    static const QRegularExpression leadingNumbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = leadingNumbers.match(version.trimmed());
    if (!match.hasMatch())
        return QStringLiteral("0.0.0");
    QStringList parts;
    for (int group = 1; group <= 3; ++group) {
        const QString number = match.captured(group);
        // Leading zeros and absurd lengths are read as numbers, not copied.
        parts << QString::number(number.isEmpty() ? 0 : number.left(9).toULongLong());
    }
    return parts.join(u'.');
}

QString distributionName()
{
    if (QSysInfo::kernelType() != QLatin1String("linux"))
        return {};
    static const QRegularExpression codeName(QStringLiteral("\\s*\\([^)]*\\)\\s*$"));
    return QSysInfo::prettyProductName().remove(codeName).trimmed();
}

QString userAgent()
{
    QString system = systemName() + u' ' + osVersion();
    if (const QString distribution = distributionName(); !distribution.isEmpty())
        system += QStringLiteral("; ") + distribution;
    return QStringLiteral("Kestrix/%1.%2 (%3)").arg(shortVersion(), buildNumber(), system);
}

QString systemInfo()
{
    QStringList lines;
    lines << QStringLiteral("Kestrix: %1 (build %2)").arg(shortVersion(), buildNumber());
    lines << systemName() + QStringLiteral(": ") + osVersion();
    if (const QString distribution = distributionName(); !distribution.isEmpty())
        lines << QStringLiteral("Distribution: ") + distribution;
    // The file-manager preview of sessions is not an extension that a
    // registry could be asked about here.
    lines << QStringLiteral("Preview extension: not available on this platform");
    return lines.join(u'\n');
}

} // namespace kestrix::feedback
