// Audio playback benchmarks: loading a six-file multi-mono group of
// 10-minute 48 kHz 24-bit files against libsndfile reading the same files
// alone, and the render path (players + matrix mixer) for 8 inputs to 6
// outputs against real time; waveform peaks of a one-hour 48 kHz stereo
// 24-bit file against libsndfile's plain read of it (target 1.5×, moonshot
// 1.1×).
#include "audio_device_manager.h"
#include "audio_playback_log.h"
#include "multi_mono_engine.h"
#include "offline_audio_output.h"
#include "peaks.h"
#include "render_graph.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <memory>
#include <numbers>

using namespace kestrix;

namespace {

constexpr int kRate = 48000;
constexpr sf_count_t kGroupFrames = sf_count_t(kRate) * 600;

class NoDevices final : public AudioDeviceSource {
public:
    QList<AudioOutputDevice> outputDevices() override { return {}; }
    std::optional<AudioOutputDevice> defaultOutputDevice() override { return std::nullopt; }
};

// The six channel files, written once per run.
const QStringList &groupFiles()
{
    static QTemporaryDir dir;
    static QStringList files;
    if (!files.isEmpty())
        return files;
    const std::vector<float> chunk = [] {
        std::vector<float> samples(kRate);
        for (int f = 0; f < kRate; ++f)
            samples[size_t(f)] = 0.5f * float(std::sin(2 * std::numbers::pi * 440 * f / kRate));
        return samples;
    }();
    for (const char *label : {"L", "R", "C", "LFE", "Ls", "Rs"}) {
        const QString path = dir.filePath(QStringLiteral("Long.%1.wav").arg(label));
        SF_INFO info{};
        info.samplerate = kRate;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
        SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        for (sf_count_t written = 0; written < kGroupFrames; written += kRate)
            sf_writef_float(file, chunk.data(), kRate);
        sf_close(file);
        files << path;
    }
    return files;
}

void BM_SndfileReadsGroup(benchmark::State &state)
{
    const QStringList &files = groupFiles();
    for (auto _ : state) {
        for (const QString &path : files) {
            SF_INFO info{};
            SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
            auto samples = std::make_unique_for_overwrite<float[]>(size_t(info.frames));
            benchmark::DoNotOptimize(sf_readf_float(file, samples.get(), info.frames));
            sf_close(file);
        }
    }
}
BENCHMARK(BM_SndfileReadsGroup)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_EngineLoadsGroup(benchmark::State &state)
{
    const QStringList &files = groupFiles();
    QList<MultiMonoEngine::Channel> channels;
    const QStringList labels = {"L", "R", "C", "LFE", "Ls", "Rs"};
    for (qsizetype c = 0; c < files.size(); ++c)
        channels.append({labels[c], files[c]});
    AudioPlaybackLog log;
    AudioDeviceManager devices(std::make_unique<NoDevices>(), log);
    for (auto _ : state) {
        MultiMonoEngine engine(devices, log, std::make_unique<OfflineAudioOutput>());
        if (engine.load(channels) || engine.inputCount() != 6)
            state.SkipWithError("the group did not load");
    }
}
BENCHMARK(BM_EngineLoadsGroup)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// One hour of stereo 24-bit, written once per run (about 1 GB).
const QString &hourFile()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath(QStringLiteral("Hour.wav"));
    std::vector<float> chunk(size_t(kRate) * 2);
    for (int f = 0; f < kRate; ++f)
        chunk[size_t(f) * 2] = chunk[size_t(f) * 2 + 1] = 0.5f * float(std::sin(2 * std::numbers::pi * 440 * f / kRate));
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    for (int second = 0; second < 3600; ++second)
        sf_writef_float(file, chunk.data(), kRate);
    sf_close(file);
    return path;
}

// The plain read the peaks are measured against: every frame, in chunks.
void BM_SndfileReadsHour(benchmark::State &state)
{
    const QString &path = hourFile();
    std::vector<float> buffer(65536 * 2);
    for (auto _ : state) {
        SF_INFO info{};
        SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
        while (sf_readf_float(file, buffer.data(), 65536) > 0)
            benchmark::DoNotOptimize(buffer.data());
        sf_close(file);
    }
}
BENCHMARK(BM_SndfileReadsHour)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_PeaksOfHour(benchmark::State &state)
{
    const QString &path = hourFile();
    for (auto _ : state) {
        auto result = filePeaks(path, 0, 0, 800);
        if (!result.ok() || result.value().size() != 2)
            state.SkipWithError("no peaks");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_PeaksOfHour)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_RenderEightInputsToSixOutputs(benchmark::State &state)
{
    constexpr int kInputs = 8;
    constexpr int kOutputs = 6;
    constexpr uint32_t kPull = 512;  // frames a device asks for at once
    std::vector<std::vector<float>> buffers(kInputs, std::vector<float>(size_t(kRate) * 60, 0.25f));
    std::vector<RenderGraph::InputBuffer> inputs;
    for (const auto &buffer : buffers)
        inputs.push_back({buffer.data(), uint32_t(buffer.size())});
    // Every crosspoint in use: the most work the mixer can have.
    GainMatrix dense(kInputs, kOutputs);
    for (float &gain : dense.gains)
        gain = 0.3f;
    RenderGraph graph;
    graph.configure(inputs, kOutputs, MatrixMixer::levelsFor(dense, kInputs, kOutputs));
    for (int i = 0; i < kInputs; ++i)
        graph.schedule(i, 0, 1);
    graph.setPlaying(true);
    graph.publish();

    std::vector<float> out(size_t(kPull) * kOutputs);
    uint64_t frames = 0;
    for (auto _ : state) {
        graph.render(out.data(), kPull);
        benchmark::DoNotOptimize(out.data());
        frames += kPull;
        if (frames + kPull >= buffers[0].size()) {
            // Start over before the buffers run out, off the clock.
            state.PauseTiming();
            graph.stopPlayers();
            for (int i = 0; i < kInputs; ++i)
                graph.schedule(i, 0, 1);
            graph.setPlaying(true);
            graph.publish();
            frames = 0;
            state.ResumeTiming();
        }
    }
    state.counters["realtime_factor"] =
        benchmark::Counter(double(state.iterations()) * kPull / kRate, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderEightInputsToSixOutputs);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);  // the engine's timers need one
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
