#include "waveform_loader.h"

#include "peaks.h"

#include <algorithm>

namespace kestrix {

std::vector<float> miniWaveformOf(const PlayableItem &item)
{
    // Without a region, or with a zero length, the whole file, as the players read it.
    const bool region = item.sampleOffset && item.sampleLength.value_or(0) != 0;
    const uint64_t offset = region ? *item.sampleOffset : 0;
    const uint64_t length = region ? *item.sampleLength : 0;
    auto firstChannel = [&](const QString &path) -> std::vector<float> {
        auto peaks = filePeaks(path, offset, length, InlineAudioPlayer::kWaveformBuckets);
        if (!peaks.ok() || peaks.value().empty())
            return {};
        return std::move(peaks.value().front());
    };
    if (item.multiMonoChannels.size() < 2)
        return firstChannel(item.multiMonoChannels.isEmpty() ? item.path : item.multiMonoChannels.front().path);
    // A channel whose region is empty or unreadable adds nothing, as in playback.
    std::vector<std::vector<float>> lists;
    for (const PlayableItem::Channel &channel : item.multiMonoChannels) {
        std::vector<float> list = firstChannel(channel.path);
        if (!list.empty())
            lists.push_back(std::move(list));
    }
    return mixPeaks(lists);
}

WaveformLoader &WaveformLoader::shared()
{
    static WaveformLoader loader;
    return loader;
}

WaveformLoader::WaveformLoader(Compute compute, QObject *parent)
    : QObject(parent)
    , compute_(std::move(compute))
{
    worker_.setMaxThreadCount(1);
}

WaveformLoader::~WaveformLoader()
{
    pending_.clear();
    worker_.waitForDone();
}

QString WaveformLoader::regionKey(const PlayableItem &item)
{
    QString key;
    if (item.multiMonoChannels.size() < 2) {
        key = item.multiMonoChannels.isEmpty() ? item.path : item.multiMonoChannels.front().path;
    } else {
        for (const PlayableItem::Channel &channel : item.multiMonoChannels)
            key += channel.path + QChar(u'\n');
    }
    if (item.sampleOffset && item.sampleLength.value_or(0) != 0)
        key += QStringLiteral("\n@%1+%2").arg(*item.sampleOffset).arg(*item.sampleLength);
    return key;
}

void WaveformLoader::request(const void *owner, const std::vector<PlayableItem> &items)
{
    for (Job &job : pending_)
        job.owners.removeOne(owner);
    std::erase_if(pending_, [](const Job &job) { return job.owners.isEmpty(); });
    for (const PlayableItem &item : items) {
        QString key = regionKey(item);
        if (key.isEmpty() || done_.contains(key) || (busy_ && key == running_))
            continue;
        const auto queued = std::find_if(pending_.begin(), pending_.end(), [&](const Job &job) { return job.key == key; });
        if (queued == pending_.end())
            pending_.push_back({{owner}, std::move(key), item});
        else if (!queued->owners.contains(owner))
            queued->owners.append(owner);
    }
    startNext();
}

const std::vector<float> *WaveformLoader::waveform(const QString &regionKey) const
{
    const auto it = done_.constFind(regionKey);
    return it == done_.cend() ? nullptr : &it.value();
}

void WaveformLoader::startNext()
{
    if (busy_ || pending_.empty())
        return;
    Job job = std::move(pending_.front());
    pending_.pop_front();
    busy_ = true;
    running_ = job.key;
    worker_.start([this, job = std::move(job)] {
        std::vector<float> waveform = compute_(job.item);
        // Delivered on the main thread; a loader destroyed meanwhile has
        // waited for this task, and Qt drops calls queued for it.
        QMetaObject::invokeMethod(
            this, [this, key = job.key, waveform = std::move(waveform)]() mutable { finish(key, std::move(waveform)); },
            Qt::QueuedConnection);
    });
}

void WaveformLoader::finish(const QString &key, std::vector<float> waveform)
{
    busy_ = false;
    running_.clear();
    // Kept even when empty, so that an unreadable file is not read again.
    done_.insert(key, std::move(waveform));
    emit waveformReady(key);
    startNext();
}

} // namespace kestrix
