// Errors of the audio subsystem: a domain, a code and the description the
// caller shows to the user unchanged.
#ifndef KESTRIX_AUDIO_AUDIO_ERROR_H
#define KESTRIX_AUDIO_AUDIO_ERROR_H

#include "result.h"

#include <QString>

#include <optional>

namespace kestrix {

struct AudioError {
    QString domain;
    int code = -1;
    QString description;
};

// Empty on success.
using AudioStatus = std::optional<AudioError>;

template <class T>
using AudioResult = Result<T, AudioError>;

inline AudioError fileError(QString description) { return {QStringLiteral("AudioFile"), -1, std::move(description)}; }
inline AudioError engineError(QString description) { return {QStringLiteral("MultiMonoEngine"), -1, std::move(description)}; }

} // namespace kestrix

#endif
