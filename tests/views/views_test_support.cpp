#include "views_test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace viewstest {

using namespace kestrix;

PTXClipInfo clip(std::string name, int64_t sourceFile, uint64_t position)
{
    PTXClipInfo c;
    c.id = name;
    c.name = std::move(name);
    c.sourceFileIndex = sourceFile;
    c.timelinePosition = position;
    c.sampleLength = 48000;
    return c;
}

PTXTrackInfo track(std::string name, std::vector<PTXClipInfo> clips, std::optional<std::string> parent,
                   PTXTrackType type)
{
    PTXTrackInfo t;
    t.name = std::move(name);
    t.clips = std::move(clips);
    t.depth = parent ? 1 : 0;
    t.parentName = std::move(parent);
    t.type = type;
    t.format.name = "Mono";
    return t;
}

PTXTrackInfo folder(std::string name, std::optional<std::string> parent)
{
    PTXTrackInfo t = track(std::move(name), {}, std::move(parent), PTXTrackType::folder);
    t.isFolder = true;
    return t;
}

PTXAudioFile audioFile(std::string name, std::string path, std::string typeTag)
{
    return {std::move(name), std::move(path), std::move(typeTag), false};
}

OverviewData overviewData(PTXSessionInfo session, AudioFileStatus files)
{
    return OverviewData::make(std::make_shared<const PTXSessionInfo>(std::move(session)), std::move(files));
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

} // namespace viewstest

void kestrix::PrintTo(const SelectableItem &item, std::ostream *out)
{
    static const char *const kinds[] = {"trackClip", "track", "audioFile", "clip"};
    *out << kinds[int(item.kind.kind)];
    if (!item.kind.trackName.empty())
        *out << "(" << item.kind.trackName << ")";
    *out << " \"" << item.id << '"';
}
