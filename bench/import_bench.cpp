// Import costs: building the arguments of every track of the large session
// (1,000 tracks, 100,000 clips) with both pre-flight checks, and the
// client's overhead per PTSL command against ptsl-sim on loopback.
#include "bench_sessions.h"
#include "import_core.h"
#include "ptsl_command.h"
#include "ptsl_settings.h"
#include "session_loader.h"

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace kestrix;
using namespace kestrix::import;

const PTXSessionInfo &largeModel()
{
    static const PTXSessionInfo info = [] {
        Result<PTXSessionInfo, PTXError> loaded = loadSession(bench::largeSessionPath());
        if (!loaded)
            std::abort();
        return std::move(loaded).value();
    }();
    return info;
}

// Every file counts as found, so that every clip becomes a record.
AudioFileResolution everyFileFound(const PTXSessionInfo &session)
{
    AudioFileResolution files;
    for (const PTXAudioFile &file : session.audioFiles)
        files.resolvedPaths.emplace(file.name, "/Volumes/Media/Audio Files/" + file.name);
    return files;
}

// All tracks chosen, with sample-rate conversion, built as kestrix-import
// builds them (the files looked up once for all tracks, each file's path
// listed once); then the channel-view check and the names check against a
// destination that holds every track, clip and audio file name already
// (the largest alert).
void BM_TracksArgumentsAndPreflights(benchmark::State &state)
{
    const PTXSessionInfo &session = largeModel();
    const AudioFileResolution files = everyFileFound(session);
    std::set<std::string> names;
    ExistingNames existing;
    for (const PTXTrackInfo &track : session.tracks) {
        names.insert(track.name);
        existing.tracks.insert(track.name);
    }
    for (const PTXClipInfo &clip : session.clips)
        existing.clips.insert(clip.name);
    for (const PTXAudioFile &file : session.audioFiles)
        existing.audioFiles.insert(file.name);
    std::vector<const PTXTrackInfo *> chosen;
    for (const PTXTrackInfo &track : session.tracks)
        chosen.push_back(&track);
    const SampleRateScale scale{48000, 44100};
    size_t clips = 0;
    for (auto _ : state) {
        const ClipFileLookup lookup(session, files);
        std::vector<TrackArguments> arguments;
        arguments.reserve(session.tracks.size());
        std::vector<std::string> trackNames, clipNames;
        for (const PTXTrackInfo &track : session.tracks) {
            arguments.push_back(trackArguments(track, lookup, names, scale, false));
            trackNames.push_back(track.name);
            for (const ClipArgument &clip : arguments.back().clips)
                clipNames.push_back(clip.name);
        }
        const std::vector<std::string> paths = lookup.filePaths(chosen);
        benchmark::DoNotOptimize(channelViewAlert(clipNames));
        benchmark::DoNotOptimize(namesExistAlert(trackNames, clipNames, paths, existing));
        clips = clipNames.size();
    }
    state.counters["clips"] = double(clips);
}
BENCHMARK(BM_TracksArgumentsAndPreflights)->Unit(benchmark::kMillisecond);

// ptsl-sim on a free loopback port for the life of the benchmark.
class Sim {
public:
    Sim()
    {
        int fds[2];
        if (pipe(fds) != 0)
            std::abort();
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], STDOUT_FILENO);
            execl(PTSL_SIM_PATH, PTSL_SIM_PATH, "--port", "0", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        FILE *out = fdopen(fds[0], "r");
        char line[256] = {};
        if (!out || !std::fgets(line, sizeof line, out))
            std::abort();
        const std::string text = line;  // "ptsl-sim listening on 127.0.0.1:PORT"
        address_ = text.substr(text.rfind(' ') + 1, text.find_last_not_of("\r\n") - text.rfind(' '));
    }
    ~Sim()
    {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    const std::string &address() const { return address_; }

private:
    pid_t pid_ = -1;
    std::string address_;
};

// One GetSessionName round trip on a registered client, as the import
// operations run each command (transcript on).
void BM_CommandRoundTrip(benchmark::State &state)
{
    static Sim sim;
    ptsl::setServerAddress(sim.address());
    if (ptsl_connect() != 0) {
        state.SkipWithError("ptsl-sim did not answer");
        return;
    }
    ptsl_transcript_begin();
    for (auto _ : state) {
        const CommandResult result = ptsl_run_command(42, "{}");
        if (!result.ok)
            state.SkipWithError("command failed");
        benchmark::DoNotOptimize(result);
    }
    std::free(ptsl_transcript_end());
}
BENCHMARK(BM_CommandRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
