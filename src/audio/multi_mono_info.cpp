#include "multi_mono_info.h"

#include "multi_mono_channel.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace kestrix {

namespace {

std::optional<ChannelSuffix> suffixOf(const QString &path)
{
    return parseChannelSuffix(QFileInfo(path).completeBaseName());
}

bool isWav(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<MultiMonoInfo> MultiMonoInfo::detect(const QString &path)
{
    const auto suffix = suffixOf(path);
    if (!suffix)
        return std::nullopt;
    const QDir folder = QFileInfo(path).dir();
    MultiMonoInfo group{suffix->stem, {}};
    for (MultiMonoChannel channel : kAllChannels) {
        const QString label = channelLabel(channel);
        const QString sibling = folder.filePath(suffix->stem + u'.' + label + QLatin1String(".wav"));
        if (QFileInfo::exists(sibling))
            group.siblings.append({label, sibling});
    }
    if (group.siblings.size() < 2)
        return std::nullopt;
    return group;
}

std::optional<MultiMonoInfo> MultiMonoInfo::detect(const QStringList &paths)
{
    if (paths.isEmpty())
        return std::nullopt;
    struct Candidate {
        QString stem;
        QList<std::pair<MultiMonoChannel, QString>> members;
    };
    QList<Candidate> candidates;  // in order of first appearance
    for (const QString &path : paths) {
        const auto suffix = suffixOf(path);
        if (!suffix)
            continue;
        auto it = std::find_if(candidates.begin(), candidates.end(),
                               [&](const Candidate &c) { return c.stem == suffix->stem; });
        if (it == candidates.end())
            it = candidates.insert(candidates.end(), Candidate{suffix->stem, {}});
        it->members.append({suffix->channel, path});
    }
    const Candidate *chosen = nullptr;
    for (const Candidate &candidate : candidates) {
        if (!chosen || candidate.members.size() > chosen->members.size())
            chosen = &candidate;
    }
    if (!chosen || chosen->members.size() < 2)
        return detect(paths.first());

    auto members = chosen->members;
    std::stable_sort(members.begin(), members.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    MultiMonoInfo group{chosen->stem, {}};
    for (const auto &[channel, path] : members)
        group.siblings.append({channelLabel(channel), path});
    return group;
}

std::optional<MultiMonoInfo> MultiMonoInfo::detectForPlayback(const QStringList &acceptedPaths)
{
    QStringList candidates;
    std::copy_if(acceptedPaths.begin(), acceptedPaths.end(), std::back_inserter(candidates), isWav);
    if (candidates.size() >= 2)
        return detect(candidates);
    if (!acceptedPaths.isEmpty() && isWav(acceptedPaths.first()))
        return detect(acceptedPaths.first());
    return std::nullopt;
}

} // namespace kestrix
