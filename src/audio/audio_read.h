// Whole files, clip regions and single channels read into float buffers.
#ifndef KESTRIX_AUDIO_AUDIO_READ_H
#define KESTRIX_AUDIO_AUDIO_READ_H

#include "audio_buffer.h"
#include "audio_error.h"
#include "audio_file.h"
#include "wav_info.h"

#include <cstdint>
#include <vector>

namespace kestrix {

struct ReadAudio {
    WAVInfo info;
    AudioBuffer buffer;
};

// The part of a region that lies inside a file of `fileLength` frames.
struct ClampedRegion {
    uint64_t start = 0;
    uint64_t frames = 0;
};
ClampedRegion clampRegion(uint64_t sampleOffset, uint64_t sampleLength, uint64_t fileLength);

// Frame counts are 32-bit: fails for a file (named by `path`) longer than that.
AudioResult<uint32_t> checkedFrameCount(uint64_t frames, const QString &path);

// Fails with "Clip range is empty" when the region holds no frame of the file.
inline constexpr const char *kEmptyClipRange = "Clip range is empty";

AudioResult<ReadAudio> readWholeFile(const QString &path);
AudioResult<ReadAudio> readRegion(const QString &path, uint64_t sampleOffset, uint64_t sampleLength);
// The same on a file that is already open; `path` names it in messages.
AudioResult<ReadAudio> readWholeFile(AudioFile &file, const QString &path);
AudioResult<ReadAudio> readRegion(AudioFile &file, const QString &path, uint64_t sampleOffset, uint64_t sampleLength);

// The same region of every file of a multi-mono clip. The first file's
// clamped region fixes the frame count (and fails as readRegion does);
// every further file is clamped against its own length and read up to that
// count; files that cannot be opened or have no frames there are skipped.
struct FileRegion {
    QString path;
    ReadAudio audio;
};
AudioResult<std::vector<FileRegion>> readMultiFileRegion(const QStringList &paths, uint64_t sampleOffset,
                                                         uint64_t sampleLength);

// Reads `frameCount` frames from the file's read position and keeps the
// channel that stands for `label` as a one-channel buffer at `sampleRate`.
AudioResult<AudioBuffer> readMonoBuffer(AudioFile &file, uint32_t frameCount, const QString &label, double sampleRate);

// Which channel of a file of `channelCount` channels stands for a label.
int channelIndex(const QString &label, int channelCount);

} // namespace kestrix

#endif
