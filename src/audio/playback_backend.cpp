#include "playback_backend.h"

#include "audio_device_manager.h"
#include "audio_output.h"
#include "audio_playback_log.h"
#include "file_player.h"
#include "multi_mono_engine.h"
#include "temp_clip_file.h"

namespace kestrix {

PlaybackBackend PlaybackBackend::platform()
{
    return {&AudioDeviceManager::shared(), &AudioPlaybackLog::shared(), &createDeviceOutput};
}

std::unique_ptr<FilePlayer> PlaybackBackend::filePlayer() const
{
    return std::make_unique<FilePlayer>(makeOutput());
}

AudioStatus PlaybackBackend::openClipFile(const AudioBuffer &buffer, std::unique_ptr<TempClipFile> &file,
                                          std::unique_ptr<FilePlayer> &player) const
{
    auto written = TempClipFile::write(buffer);
    if (!written.ok())
        return written.error();
    file = std::move(written).value();
    player = filePlayer();
    return player->open(file->path());
}

std::unique_ptr<MultiMonoEngine> PlaybackBackend::engine() const
{
    return std::make_unique<MultiMonoEngine>(*devices, *log, makeOutput());
}

QString PlaybackBackend::activeDeviceLine() const
{
    const auto device = devices->activeDevice();
    return QStringLiteral("active device: ") + (device ? device->name : QStringLiteral("<none>"));
}

} // namespace kestrix
