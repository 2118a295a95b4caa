// What the player window shows about a loaded file or clip.
#ifndef KESTRIX_AUDIO_WAV_INFO_H
#define KESTRIX_AUDIO_WAV_INFO_H

#include "multi_mono_info.h"

#include <QString>

#include <optional>

namespace kestrix {

struct WAVInfo {
    QString fileName;        // base name of the first file, no folder or extension
    double sampleRate = 0;   // Hz, of the decoded samples
    int channelCount = 0;
    double duration = 0;     // seconds: frames read / sampleRate
    int bitDepth = 0;        // of the decoded samples, not of the file
    std::optional<MultiMonoInfo> multiMono;  // never for clip regions
};

} // namespace kestrix

#endif
