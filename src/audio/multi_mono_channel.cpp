#include "multi_mono_channel.h"

#include "channel_stem.h"

namespace kestrix {

namespace {

constexpr std::array<const char *, 19> kLabels = {
    "L", "R", "C", "LFE", "Ls", "Rs", "Lss", "Rss", "Lc", "Rc", "Cs", "Ltf", "Rtf", "Ltr", "Rtr", "Ltm", "Rtm", "Lts", "Rts",
};

} // namespace

QString channelLabel(MultiMonoChannel channel)
{
    return QString::fromLatin1(kLabels[size_t(channel)]);
}

std::optional<MultiMonoChannel> channelFromLabel(const QString &label)
{
    for (size_t i = 0; i < kLabels.size(); ++i) {
        if (label == QLatin1String(kLabels[i]))
            return kAllChannels[i];
    }
    return std::nullopt;
}

std::optional<ChannelSuffix> parseChannelSuffix(const QString &baseName)
{
    // The model already splits names at their longest channel suffix.
    const QByteArray utf8 = baseName.toUtf8();
    const auto split = channelStem(std::string_view(utf8.constData(), size_t(utf8.size())));
    if (!split)
        return std::nullopt;
    const auto channel = channelFromLabel(QString::fromLatin1(split->suffix.data(), qsizetype(split->suffix.size())));
    if (!channel)
        return std::nullopt;
    return ChannelSuffix{QString::fromUtf8(split->stem.data(), qsizetype(split->stem.size())), *channel};
}

} // namespace kestrix
