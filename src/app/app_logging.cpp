#include "app_logging.h"

#include "log.h"

#include <QDebug>
#include <QRegularExpression>

#include <cstdio>
#include <string_view>

namespace kestrix {

namespace {

QString formatLogLine(const char *category, const QString &message)
{
    static const QRegularExpression componentPrefix(QStringLiteral("^\\[[^\\]\\s]+\\] "));
    if (componentPrefix.match(message).hasMatch())
        return message;
    const QLatin1StringView categoryName(category ? category : "default");
    if (categoryName == QLatin1StringView("default"))
        return QStringLiteral("[Qt] ") + message;
    return QStringLiteral("[%1] %2").arg(categoryName, message);
}

void writeLine(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    const QByteArray line = formatLogLine(context.category, message).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

} // namespace

void installApplicationLogging()
{
    qInstallMessageHandler(writeLine);
    setLogSink([](std::string_view component, std::string_view message) {
        qInfo().noquote() << QStringLiteral("[%1] %2").arg(
            QString::fromUtf8(component.data(), qsizetype(component.size())),
            QString::fromUtf8(message.data(), qsizetype(message.size())));
    });
}

} // namespace kestrix
