#include "audio_read.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <vector>

namespace kestrix {

namespace {

AudioResult<ReadAudio> readFrames(AudioFile &file, const QString &path, uint64_t start, uint32_t frames)
{
    if (AudioStatus error = file.seek(start))
        return *error;
    auto buffer = AudioBuffer::allocate(file.channelCount(), frames, file.sampleRate());
    if (!buffer)
        return engineError(QStringLiteral("Could not allocate read buffer"));
    std::vector<float *> planes;
    for (int c = 0; c < buffer->channelCount(); ++c)
        planes.push_back(buffer->channel(c));
    auto read = file.read(planes, frames);
    if (!read.ok())
        return read.error();
    buffer->setFrameLength(read.value());

    WAVInfo info;
    info.fileName = QFileInfo(path).completeBaseName();
    info.sampleRate = file.sampleRate();
    info.channelCount = file.channelCount();
    info.duration = double(buffer->frameLength()) / file.sampleRate();
    info.bitDepth = kProcessingBitDepth;
    return ReadAudio{std::move(info), std::move(*buffer)};
}

} // namespace

AudioResult<uint32_t> checkedFrameCount(uint64_t frames, const QString &path)
{
    if (frames > std::numeric_limits<uint32_t>::max()) {
        return fileError(QStringLiteral("“%1” is too long to play: %2 frames, at most %3 can be read at once")
                             .arg(QFileInfo(path).fileName())
                             .arg(frames)
                             .arg(std::numeric_limits<uint32_t>::max()));
    }
    return uint32_t(frames);
}

ClampedRegion clampRegion(uint64_t sampleOffset, uint64_t sampleLength, uint64_t fileLength)
{
    const uint64_t start = std::min(sampleOffset, fileLength);
    // Saturating: an offset plus a length past 2^64 still ends at the file's end.
    const uint64_t requestedEnd =
        sampleLength > std::numeric_limits<uint64_t>::max() - sampleOffset ? std::numeric_limits<uint64_t>::max()
                                                                            : sampleOffset + sampleLength;
    const uint64_t end = std::min(requestedEnd, fileLength);
    return {start, end > start ? end - start : 0};
}

AudioResult<ReadAudio> readWholeFile(const QString &path)
{
    auto file = openAudioFile(path);
    if (!file.ok())
        return file.error();
    return readWholeFile(*file.value(), path);
}

AudioResult<ReadAudio> readRegion(const QString &path, uint64_t sampleOffset, uint64_t sampleLength)
{
    auto file = openAudioFile(path);
    if (!file.ok())
        return file.error();
    return readRegion(*file.value(), path, sampleOffset, sampleLength);
}

AudioResult<ReadAudio> readWholeFile(AudioFile &file, const QString &path)
{
    auto frames = checkedFrameCount(file.frameLength(), path);
    if (!frames.ok())
        return frames.error();
    return readFrames(file, path, 0, frames.value());
}

AudioResult<ReadAudio> readRegion(AudioFile &file, const QString &path, uint64_t sampleOffset, uint64_t sampleLength)
{
    const ClampedRegion region = clampRegion(sampleOffset, sampleLength, file.frameLength());
    if (region.frames == 0)
        return fileError(QString::fromLatin1(kEmptyClipRange));
    auto frames = checkedFrameCount(region.frames, path);
    if (!frames.ok())
        return frames.error();
    return readFrames(file, path, region.start, frames.value());
}

AudioResult<std::vector<FileRegion>> readMultiFileRegion(const QStringList &paths, uint64_t sampleOffset,
                                                         uint64_t sampleLength)
{
    if (paths.isEmpty())
        return fileError(QStringLiteral("No audio files provided"));
    auto first = readRegion(paths.first(), sampleOffset, sampleLength);
    if (!first.ok())
        return first.error();
    const uint32_t frames = first.value().buffer.frameLength();
    std::vector<FileRegion> regions;
    regions.push_back({paths.first(), std::move(first).value()});
    for (qsizetype i = 1; i < paths.size(); ++i) {
        auto file = openAudioFile(paths[i]);
        if (!file.ok())
            continue;
        const ClampedRegion own = clampRegion(sampleOffset, sampleLength, file.value()->frameLength());
        if (own.frames == 0)
            continue;
        auto read = readFrames(*file.value(), paths[i], own.start, uint32_t(std::min<uint64_t>(own.frames, frames)));
        if (read.ok() && read.value().buffer.frameLength() > 0)
            regions.push_back({paths[i], std::move(read).value()});
    }
    return regions;
}

AudioResult<AudioBuffer> readMonoBuffer(AudioFile &file, uint32_t frameCount, const QString &label, double sampleRate)
{
    auto mono = AudioBuffer::allocate(1, frameCount, sampleRate);
    if (!mono)
        return engineError(QStringLiteral("Could not allocate mono buffer"));
    // Only the wanted channel is kept, so no buffer of every channel is needed.
    std::vector<float *> planes(size_t(std::max(file.channelCount(), 1)), nullptr);
    planes[size_t(channelIndex(label, file.channelCount()))] = mono->channel(0);
    auto read = file.read(planes, frameCount);
    if (!read.ok())
        return read.error();
    mono->setFrameLength(read.value());
    return std::move(*mono);
}

int channelIndex(const QString &label, int channelCount)
{
    if (channelCount < 2)
        return 0;
    const QString upper = label.toUpper();
    static const QStringList left = {"L", "LC", "LS", "LSS", "LTF", "LTR", "LTM", "LTS"};
    static const QStringList right = {"R", "RC", "RS", "RSS", "RTF", "RTR", "RTM", "RTS"};
    if (left.contains(upper))
        return 0;
    if (right.contains(upper))
        return 1;
    if (upper == QLatin1String("C"))
        return channelCount > 2 ? 2 : channelCount - 1;
    if (upper == QLatin1String("LFE"))
        return channelCount > 3 ? 3 : channelCount - 1;
    if (upper == QLatin1String("CS"))
        return channelCount - 1;
    return 0;
}

} // namespace kestrix
