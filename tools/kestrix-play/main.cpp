// kestrix-play: plays audio files through Kestrix's playback engine, the way
// the player does: a multi-mono group as one sound, routed by channel label.
#include "play_options.h"

#include "audio_device_manager.h"
#include "audio_urls.h"
#include "inline_audio_player.h"
#include "log.h"
#include "multi_mono_engine.h"
#include "multi_mono_info.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

using namespace kestrix;

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

int fail(const QString &message)
{
    print(stderr, QStringLiteral("kestrix-play: ") + message);
    return 1;
}

std::optional<AudioOutputDevice> findDevice(const AudioDeviceManager &devices, const QString &id)
{
    for (const AudioOutputDevice &device : devices.outputDevices()) {
        if (device.uid == id || QString::number(device.id) == id)
            return device;
    }
    return std::nullopt;
}

void printRouting(const std::optional<RoutingDecision> &routing)
{
    if (!routing)
        return;
    for (const QString &line : routingLogLines(*routing))
        print(stdout, line);
}

// A region plays as a clip row's play control plays it: a single file from
// a temporary 16-bit WAV on the system default device, a group through the
// engine on the chosen device. A length of 0 is the whole file.
int playRegion(QCoreApplication &app, const QStringList &files, uint64_t offset, uint64_t length)
{
    PlayableItem item;
    if (const std::optional<MultiMonoInfo> group = MultiMonoInfo::detectForPlayback(files)) {
        for (const MultiMonoInfo::Sibling &sibling : group->siblings)
            item.multiMonoChannels.append({sibling.channel, sibling.path});
        print(stdout, QStringLiteral("Multi-mono group '%1': %2 channel(s)").arg(group->baseName).arg(group->siblings.size()));
    } else {
        item.path = files.first();
        print(stdout, QStringLiteral("Single file: %1").arg(files.first()));
    }
    item.sampleOffset = offset;
    item.sampleLength = length;

    InlineAudioPlayer &player = InlineAudioPlayer::shared();
    player.toggle(QStringLiteral("kestrix-play"), item);
    if (!player.isPlaying())
        return fail(player.lastError());
    printRouting(player.routing());
    print(stdout, QStringLiteral("Playing %1 s…").arg(player.duration(), 0, 'f', 3));

    int status = 0;
    QObject::connect(&player, &InlineAudioPlayer::failed, &app, [&](const QString &message) {
        status = fail(message);
        app.quit();
    });
    QObject::connect(&player, &InlineAudioPlayer::changed, &app, [&] {
        if (player.isPlaying())
            return;
        // Let the device play out what it has buffered.
        QTimer::singleShot(300, &app, [&] {
            player.stop();
            app.quit();
        });
    });
    app.exec();
    player.stop();
    return status;
}

int listDevices(const AudioDeviceManager &devices)
{
    print(stdout, QStringLiteral("System default: %1")
                      .arg(devices.defaultDevice() ? devices.defaultDevice()->description() : QStringLiteral("<none>")));
    print(stdout, QStringLiteral("Output devices (%1):").arg(devices.outputDevices().size()));
    for (const AudioOutputDevice &device : devices.outputDevices())
        print(stdout, QStringLiteral("  ") + device.description());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const auto parsed = parsePlayOptions(argc, argv);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const PlayOptions &options = std::get<PlayOptions>(parsed);
    QCoreApplication app(argc, argv);

    // Diagnostics only on request; the routing decision is printed anyway.
    if (!options.verbose)
        setLogSink([](std::string_view, std::string_view) {});

    AudioDeviceManager &devices = AudioDeviceManager::shared();
    if (options.listDevices)
        return listDevices(devices);
    if (!options.device.isEmpty()) {
        const auto device = findDevice(devices, options.device);
        if (!device)
            return fail(QStringLiteral("no output device '%1' (see --list-devices)").arg(options.device));
        devices.selectDevice(device);
    }

    const QStringList files = resolveAudioURLs(options.files);
    if (files.isEmpty())
        return fail(QStringLiteral("No audio files provided"));

    if (options.offset)
        return playRegion(app, files, *options.offset, *options.length);

    MultiMonoEngine engine;
    QObject::connect(&engine, &MultiMonoEngine::playbackCompleted, &app, [&] {
        // Let the device play out what it has buffered.
        QTimer::singleShot(300, &app, [&] {
            engine.stop();
            app.quit();
        });
    });
    AudioStatus error;
    const std::optional<MultiMonoInfo> group = MultiMonoInfo::detectForPlayback(files);
    if (group) {
        QList<MultiMonoEngine::Channel> channels;
        for (const MultiMonoInfo::Sibling &sibling : group->siblings)
            channels.append({sibling.channel, sibling.path});
        print(stdout, QStringLiteral("Multi-mono group '%1': %2 channel(s)").arg(group->baseName).arg(channels.size()));
        error = engine.load(channels);
    } else {
        print(stdout, QStringLiteral("Single file: %1").arg(files.first()));
        error = engine.loadFile(files.first());
    }
    if (error)
        return fail(error->description);
    printRouting(engine.routing());

    engine.togglePlayPause();
    print(stdout, QStringLiteral("Playing %1 s…").arg(engine.duration(), 0, 'f', 3));
    return app.exec();
}
