#include "row_texts.h"

#include "file_type.h"

namespace kestrix {

namespace {

constexpr std::string_view kVolumesPrefix = "/Volumes/";

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

// A clip whose source-file index points nowhere.
FileFacts missingSourceFacts()
{
    FileFacts facts;
    facts.pathText = QStringLiteral("Not Available");
    return facts;
}

} // namespace

QString displayPath(const std::string &path)
{
    if (std::string_view(path).starts_with(kVolumesPrefix))
        return text(path.substr(kVolumesPrefix.size() - 1));
    return text(path);
}

FileFacts fileFacts(const std::string &fileName, const OverviewData &data)
{
    FileFacts facts;
    facts.fileName = text(fileName);
    const AudioFileStatus &status = *data.files;
    if (const PTXAudioFile *file = data.audioFileNamed(fileName)) {
        const PTXFileTypeInfo type = fileTypeInfo(file->typeTag);
        facts.typeLabel = text(type.label);
        facts.typeUnavailable = type.playbackUnavailable;
    }
    facts.typeUnavailable = facts.typeUnavailable || status.unavailableFiles.contains(fileName);
    const auto format = status.fileFormats.find(fileName);
    facts.formatText = format != status.fileFormats.end() ? text(format->second) : facts.typeLabel;

    facts.offline = status.offlineFiles.contains(fileName);
    if (const auto resolved = status.resolvedPaths.find(fileName); resolved != status.resolvedPaths.end()) {
        facts.resolvedPath = text(resolved->second);
        facts.pathText = displayPath(resolved->second);
    } else if (facts.offline) {
        facts.pathText = QStringLiteral("Offline");
    } else {
        facts.pathText = QStringLiteral("Not Available");
    }
    return facts;
}

QString RowFacts::channelSummary() const
{
    QStringList lines;
    for (size_t c = 0; c < channels.size() && c < size_t(channelSuffixes.size()); ++c)
        lines << channelSuffixes[qsizetype(c)] + QStringLiteral("  ") + channels[c].pathText;
    return lines.join(QLatin1Char('\n'));
}

QString RowFacts::pathText() const
{
    if (channels.size() < 2)
        return file.pathText;
    size_t offline = 0;
    for (const FileFacts &channel : channels)
        offline += channel.offline ? 1 : 0;
    if (offline == channels.size() || offline == 0)
        return file.pathText;
    return file.pathText + QStringLiteral(" (%1 of %2 channels offline)").arg(offline).arg(channels.size());
}

RowFacts audioFileRowFacts(const PTXAudioFileGroup &group, const OverviewData &data)
{
    RowFacts row;
    row.name = text(group.baseName);
    for (const PTXAudioFileGroup::Channel &channel : group.channels)
        row.channels.push_back(fileFacts(channel.fileName, data));
    if (group.channels.size() > 1)
        for (const PTXAudioFileGroup::Channel &channel : group.channels)
            row.channelSuffixes << text(channel.suffix);
    if (!row.channels.empty())
        row.file = row.channels.front();
    return row;
}

RowFacts clipRowFacts(const PTXClipGroup &group, const OverviewData &data)
{
    RowFacts row;
    row.name = text(group.baseName);
    for (const PTXClipGroup::Channel &channel : group.channels) {
        const PTXAudioFile *source = data.sourceFileOf(channel.clip);
        row.channels.push_back(source ? fileFacts(source->name, data) : missingSourceFacts());
    }
    if (group.channels.size() > 1)
        for (const PTXClipGroup::Channel &channel : group.channels)
            row.channelSuffixes << text(channel.suffix);
    if (!row.channels.empty())
        row.file = row.channels.front();
    return row;
}

} // namespace kestrix
