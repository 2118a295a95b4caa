#include "play_options.h"

namespace kestrix {

namespace {

std::optional<uint64_t> sampleCount(const QString &text)
{
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    return ok ? std::optional<uint64_t>(value) : std::nullopt;
}

} // namespace

std::variant<PlayOptions, QString> parsePlayOptions(const QStringList &arguments)
{
    PlayOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        if (argument == QLatin1String("--list-devices")) {
            options.listDevices = true;
        } else if (argument == QLatin1String("--verbose")) {
            options.verbose = true;
        } else if (argument == QLatin1String("--device")) {
            const auto id = value();
            if (!id || id->isEmpty())
                return QStringLiteral("--device needs a device id (see --list-devices)");
            options.device = *id;
        } else if (argument == QLatin1String("--offset") || argument == QLatin1String("--length")) {
            const auto text = value();
            const auto count = text ? sampleCount(*text) : std::nullopt;
            if (!count)
                return QStringLiteral("%1 needs a sample count").arg(argument);
            (argument == QLatin1String("--offset") ? options.offset : options.length) = count;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option %1").arg(argument);
        } else {
            options.files << argument;
        }
    }
    if (options.offset.has_value() != options.length.has_value())
        return QStringLiteral("--offset and --length go together");
    if (!options.listDevices && options.files.isEmpty())
        return QStringLiteral("no audio file given");
    return options;
}

} // namespace kestrix
