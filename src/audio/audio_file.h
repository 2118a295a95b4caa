// An open audio file: its decoded (processing) format and a read position,
// read as deinterleaved 32-bit float. libsndfile reads WAV, RF64, AIFF,
// FLAC and MP3; FFmpeg reads AAC and M4A and whatever libsndfile refuses.
#ifndef KESTRIX_AUDIO_AUDIO_FILE_H
#define KESTRIX_AUDIO_AUDIO_FILE_H

#include "audio_error.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <span>

namespace kestrix {

// Samples are decoded to 32-bit float whatever the file stores.
inline constexpr int kProcessingBitDepth = 32;

class AudioFile {
public:
    virtual ~AudioFile() = default;

    virtual double sampleRate() const = 0;
    virtual int channelCount() const = 0;
    virtual uint64_t frameLength() const = 0;
    // Channel labels from the file's own channel map, empty when it has none.
    virtual QStringList channelLabels() const { return {}; }

    virtual AudioStatus seek(uint64_t frame) = 0;
    // Reads up to `frames` frames from the read position; destinations[c]
    // receives channel c, or nothing when it is null. Returns the frames
    // read, fewer only at the end of the file.
    virtual AudioResult<uint32_t> read(std::span<float *const> destinations, uint32_t frames) = 0;
};

AudioResult<std::unique_ptr<AudioFile>> openAudioFile(const QString &path);

// Backends, tried in this order by openAudioFile.
AudioResult<std::unique_ptr<AudioFile>> openWithSndfile(const QString &path);
AudioResult<std::unique_ptr<AudioFile>> openWithFfmpeg(const QString &path);

} // namespace kestrix

#endif
