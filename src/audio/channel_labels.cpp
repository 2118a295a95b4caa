#include "channel_labels.h"

#include <array>

namespace kestrix {

namespace {

struct LayoutTag {
    uint32_t tag;
    const char *name;
    std::array<const char *, 8> labels;
};

constexpr std::array<LayoutTag, 14> kLayoutTags = {{
    {0x640001, "Mono", {"C"}},
    {0x650002, "Stereo", {"L", "R"}},
    {0x6C0004, "Quadraphonic", {"L", "R", "Ls", "Rs"}},
    {0x6D0005, "Pentagonal", {"L", "R", "Ls", "Rs", "C"}},
    {0x6E0006, "Hexagonal", {"L", "R", "Ls", "Rs", "C", "LFE"}},
    {0x710003, "MPEG_3_0_A", {"L", "R", "C"}},
    {0x750005, "MPEG_5_0_A", {"L", "R", "C", "Ls", "Rs"}},
    {0x790006, "MPEG_5_1_A", {"L", "R", "C", "LFE", "Ls", "Rs"}},
    {0x7A0006, "MPEG_5_1_B", {"L", "R", "Ls", "Rs", "C", "LFE"}},
    {0x7B0006, "MPEG_5_1_C", {"L", "C", "R", "Ls", "Rs", "LFE"}},
    {0x7C0006, "MPEG_5_1_D", {"C", "L", "R", "Ls", "Rs", "LFE"}},
    {0x7E0008, "MPEG_7_1_A", {"L", "R", "C", "LFE", "Ls", "Rs", "Lc", "Rc"}},
    {0x7F0008, "MPEG_7_1_B", {"C", "Lc", "Rc", "L", "R", "Ls", "Rs", "LFE"}},
    {0x800008, "MPEG_7_1_C", {"L", "R", "C", "LFE", "Ls", "Rs", "Lss", "Rss"}},
}};

const LayoutTag *findTag(uint32_t tag)
{
    for (const LayoutTag &entry : kLayoutTags) {
        if (entry.tag == tag)
            return &entry;
    }
    return nullptr;
}

bool isDiscreteInOrder(uint32_t tag)
{
    return (tag & 0xFFFF0000u) == kLayoutTagDiscreteInOrder;
}

} // namespace

QString layoutTagName(uint32_t tag)
{
    if (tag == kLayoutTagUseChannelDescriptions)
        return QStringLiteral("UseChannelDescriptions");
    if (isDiscreteInOrder(tag))
        return QStringLiteral("DiscreteInOrder|%1").arg(tag & 0xFFFFu);
    if (const LayoutTag *entry = findTag(tag))
        return QString::fromLatin1(entry->name);
    return QStringLiteral("unknown");
}

QStringList fallbackDeviceLabels(int channelCount)
{
    switch (channelCount) {
    case 0: return {};
    case 1: return {QStringLiteral("C")};
    case 2: return {QStringLiteral("L"), QStringLiteral("R")};
    case 6: return {"L", "R", "C", "LFE", "Ls", "Rs"};
    case 8: return {"L", "R", "C", "LFE", "Ls", "Rs", "Lss", "Rss"};
    default: break;
    }
    QStringList labels = {QStringLiteral("L"), QStringLiteral("R")};
    for (int n = 3; n <= channelCount; ++n)
        labels << QStringLiteral("Ch%1").arg(n);
    return labels;
}

QStringList layoutTagLabels(std::optional<uint32_t> tag, int channelCount)
{
    const LayoutTag *entry = tag ? findTag(*tag) : nullptr;
    if (!entry)
        return fallbackDeviceLabels(channelCount);
    QStringList labels;
    for (const char *label : entry->labels) {
        if (label)
            labels << QString::fromLatin1(label);
    }
    return labels;
}

DerivedChannelLabels deriveChannelLabels(int channelCount, std::optional<uint32_t> layoutTag,
                                         const QList<std::optional<QString>> &descriptions)
{
    const QStringList tagLabels = layoutTagLabels(layoutTag, channelCount);
    const QString tagSource = layoutTag ? QStringLiteral("tag") : QStringLiteral("fallback");
    DerivedChannelLabels derived;
    for (int i = 0; i < channelCount; ++i) {
        if (i < descriptions.size() && descriptions[i]) {
            derived.labels << *descriptions[i];
            derived.sources << QStringLiteral("desc");
        } else if (i < tagLabels.size()) {
            derived.labels << tagLabels[i];
            derived.sources << tagSource;
        } else {
            // A layout shorter than the device: the count's own labels go on.
            derived.labels << fallbackDeviceLabels(channelCount).value(i);
            derived.sources << QStringLiteral("fallback");
        }
    }
    return derived;
}

} // namespace kestrix
