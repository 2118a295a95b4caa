// A clip region written to a 16-bit WAV file in the temporary folder, so
// that the file player can play it. The file goes when the object does.
#ifndef KESTRIX_AUDIO_TEMP_CLIP_FILE_H
#define KESTRIX_AUDIO_TEMP_CLIP_FILE_H

#include "audio_buffer.h"
#include "audio_error.h"

#include <QString>

#include <memory>

namespace kestrix {

class TempClipFile {
public:
    // Writes `buffer` as 16-bit little-endian PCM, interleaved, at its rate,
    // under a fresh UUID name; no file is left behind on failure.
    static AudioResult<std::unique_ptr<TempClipFile>> write(const AudioBuffer &buffer);
    ~TempClipFile();
    TempClipFile(const TempClipFile &) = delete;
    TempClipFile &operator=(const TempClipFile &) = delete;

    const QString &path() const { return path_; }

private:
    explicit TempClipFile(QString path) : path_(std::move(path)) {}
    QString path_;
};

} // namespace kestrix

#endif
