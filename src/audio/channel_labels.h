// One label per output channel of a device, from the first source that
// names the channel: the device's per-channel descriptions ("desc"), then
// the labels of its layout tag ("tag"), or the labels for its channel count
// when it reports no layout ("fallback").
#ifndef KESTRIX_AUDIO_CHANNEL_LABELS_H
#define KESTRIX_AUDIO_CHANNEL_LABELS_H

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace kestrix {

// Layout tags: the layout's number in the high 16 bits, its channel count
// in the low 16.
inline constexpr uint32_t kLayoutTagUseChannelDescriptions = 0;
inline constexpr uint32_t kLayoutTagDiscreteInOrder = 147u << 16;

// The platform's name of a layout tag, "DiscreteInOrder|<n>" for discrete ones.
QString layoutTagName(uint32_t tag);

// The labels by channel count when nothing better is known: 1 is C; 2 is
// L, R; 6 and 8 the 5.1 and 7.1 orders; otherwise L, R, Ch3 ... Ch<n>.
QStringList fallbackDeviceLabels(int channelCount);

// The labels a layout tag stands for: its listed labels, or the fallback
// labels for a tag that names no layout (descriptions, discrete, unknown).
QStringList layoutTagLabels(std::optional<uint32_t> tag, int channelCount);

struct DerivedChannelLabels {
    QStringList labels;
    QStringList sources;  // "desc", "tag" or "fallback", one per label
};

// `descriptions[i]` is the label the device's description of channel i
// gives, none when it gives none (or there is no description).
DerivedChannelLabels deriveChannelLabels(int channelCount, std::optional<uint32_t> layoutTag,
                                         const QList<std::optional<QString>> &descriptions);

} // namespace kestrix

#endif
