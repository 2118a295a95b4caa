// The 19 channel labels shared by file names, groups, routing and device
// outputs. Declaration order is the canonical channel order.
#ifndef KESTRIX_AUDIO_MULTI_MONO_CHANNEL_H
#define KESTRIX_AUDIO_MULTI_MONO_CHANNEL_H

#include <QString>

#include <array>
#include <optional>

namespace kestrix {

enum class MultiMonoChannel {
    L, R, C, LFE, Ls, Rs, Lss, Rss, Lc, Rc, Cs, Ltf, Rtf, Ltr, Rtr, Ltm, Rtm, Lts, Rts,
};

inline constexpr std::array<MultiMonoChannel, 19> kAllChannels = {
    MultiMonoChannel::L,   MultiMonoChannel::R,   MultiMonoChannel::C,   MultiMonoChannel::LFE,
    MultiMonoChannel::Ls,  MultiMonoChannel::Rs,  MultiMonoChannel::Lss, MultiMonoChannel::Rss,
    MultiMonoChannel::Lc,  MultiMonoChannel::Rc,  MultiMonoChannel::Cs,  MultiMonoChannel::Ltf,
    MultiMonoChannel::Rtf, MultiMonoChannel::Ltr, MultiMonoChannel::Rtr, MultiMonoChannel::Ltm,
    MultiMonoChannel::Rtm, MultiMonoChannel::Lts, MultiMonoChannel::Rts,
};

// The label text, which is also the channel's raw value.
QString channelLabel(MultiMonoChannel channel);
std::optional<MultiMonoChannel> channelFromLabel(const QString &label);

struct ChannelSuffix {
    QString stem;
    MultiMonoChannel channel;
};

// "Take.Lss" is channel Lss of "Take"; the match is case-sensitive and the
// stem must not be empty. `baseName` has no extension.
std::optional<ChannelSuffix> parseChannelSuffix(const QString &baseName);

} // namespace kestrix

#endif
