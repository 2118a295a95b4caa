#include "temp_clip_file.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <sndfile.h>

#include <vector>

namespace kestrix {

namespace {

// Frames interleaved per write: bounded memory whatever the region's length.
constexpr uint32_t kChunkFrames = 16384;

} // namespace

AudioResult<std::unique_ptr<TempClipFile>> TempClipFile::write(const AudioBuffer &buffer)
{
    const int channels = buffer.channelCount();
    if (channels <= 0 || !(buffer.sampleRate() > 0))
        return fileError(QStringLiteral("Could not write the clip: it has no samples"));
    const QString path = QDir(QDir::tempPath()).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + ".wav");
    std::unique_ptr<TempClipFile> file(new TempClipFile(path));  // deletes the file on any failure below

    SF_INFO info{};
    info.samplerate = int(buffer.sampleRate());
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE;
    SNDFILE *sf = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!sf)
        return fileError(QStringLiteral("Could not write the clip to “%1”: %2").arg(path, QString::fromUtf8(sf_strerror(nullptr))));
    // Out-of-range floats are clipped to full scale, not wrapped.
    sf_command(sf, SFC_SET_CLIPPING, nullptr, SF_TRUE);

    std::vector<float> interleaved(size_t(kChunkFrames) * size_t(channels));
    bool ok = true;
    for (uint32_t done = 0; ok && done < buffer.frameLength();) {
        const uint32_t frames = std::min(kChunkFrames, buffer.frameLength() - done);
        for (int c = 0; c < channels; ++c) {
            const float *plane = buffer.channel(c) + done;
            for (uint32_t f = 0; f < frames; ++f)
                interleaved[size_t(f) * size_t(channels) + size_t(c)] = plane[f];
        }
        ok = sf_writef_float(sf, interleaved.data(), frames) == sf_count_t(frames);
        done += frames;
    }
    const QString error = ok ? QString() : QString::fromUtf8(sf_strerror(sf));
    if (sf_close(sf) != 0 || !ok)
        return fileError(QStringLiteral("Could not write the clip to “%1”: %2").arg(path, error));
    return file;
}

TempClipFile::~TempClipFile()
{
    // A file that is already gone is fine.
    QFile::remove(path_);
}

} // namespace kestrix
