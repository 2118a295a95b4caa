#include "peaks.h"
#include "test_audio_files.h"
#include "waveform_loader.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace kestrix;

namespace {

PlayableItem fileItem(const QString &path)
{
    return PlayableItem{path, {}, {}, {}};
}

// A compute function that records what it is given and holds the first
// item until released, so that a test can change its requests meanwhile.
class GatedCompute {
public:
    std::vector<float> operator()(const PlayableItem &item)
    {
        std::unique_lock lock(mutex_);
        computed_.push_back(item.path);
        if (computed_.size() == 1)
            released_.wait(lock, [this] { return open_; });
        return {float(computed_.size())};
    }
    void release()
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        released_.notify_all();
    }
    QStringList computed()
    {
        std::lock_guard lock(mutex_);
        return computed_;
    }

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool open_ = false;
    QStringList computed_;
};

} // namespace

TEST(MiniWaveformTest, ReadsTheFirstChannelOfTheRegionAndMixesMultiMonoGroups)
{
    QTemporaryDir dir;
    const QString stereo = dir.filePath("stereo.wav");
    const QString shortMono = dir.filePath("short.wav");
    // Long enough to be read in several chunks, with frames left past the last
    // bucket; a ramp, so that each bucket's peak tells where the bucket lies.
    const size_t frames = 200003;
    const auto left = audiotest::generate(frames, [](size_t f) { return float(f) / 262144.0f; });
    const auto right = audiotest::generate(frames, [](size_t) { return 0.9f; });
    audiotest::writeAudioFile(stereo, {left, right}, 48000);
    audiotest::writeAudioFile(shortMono, {audiotest::generate(1200, [](size_t) { return -0.75f; })}, 48000);

    // The whole file: the left channel's 120 peaks, the right one unseen.
    EXPECT_EQ(miniWaveformOf(fileItem(stereo)), peaks(left.data(), uint32_t(frames), 120));

    // A clip region is read alone.
    EXPECT_EQ(miniWaveformOf(PlayableItem{stereo, {}, 100, 600}), peaks(left.data() + 100, 600, 120));

    // A group mixes its channels; a channel whose region is empty adds nothing.
    PlayableItem group{{}, {{"L", stereo}, {"R", shortMono}}, 0, 2400};
    std::vector<float> mixed = peaks(left.data(), 2400, 120);
    for (size_t i = 0; i < mixed.size(); ++i)
        mixed[i] = std::max(mixed[i], 0.75f);
    EXPECT_EQ(miniWaveformOf(group), mixed);
    group.sampleOffset = 1800;
    group.sampleLength = 600;
    EXPECT_EQ(miniWaveformOf(group), peaks(left.data() + 1800, 600, 120));

    EXPECT_TRUE(miniWaveformOf(fileItem(dir.filePath("missing.wav"))).empty());
}

TEST(WaveformLoaderTest, ComputesEachRegionOnceOffTheMainThreadAndDropsRowsScrolledAway)
{
    GatedCompute gate;
    WaveformLoader loader([&gate](const PlayableItem &item) { return gate(item); });
    QSignalSpy ready(&loader, &WaveformLoader::waveformReady);
    const int list = 0;
    const int otherList = 0;

    // Rows a, b, c in view; a starts and holds the worker (the main thread
    // is not blocked: this call returns).
    loader.request(&list, {fileItem("a"), fileItem("b"), fileItem("c")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.computed().size() == 1; }, 5000));
    // Scrolled on: b and c leave before their turn, a is under way, d comes in.
    loader.request(&list, {fileItem("a"), fileItem("d")});
    // Another list shows the same region as a row of this one.
    loader.request(&otherList, {fileItem("d")});
    EXPECT_EQ(loader.waveform(WaveformLoader::regionKey(fileItem("a"))), nullptr);
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.size() == 2; }, 5000));

    EXPECT_EQ(gate.computed(), QStringList({"a", "d"}));
    ASSERT_NE(loader.waveform(WaveformLoader::regionKey(fileItem("d"))), nullptr);
    EXPECT_EQ(*loader.waveform(WaveformLoader::regionKey(fileItem("d"))), std::vector<float>{2.0f});

    // Asked again, both stay computed: nothing more runs.
    loader.request(&list, {fileItem("a"), fileItem("d")});
    QTest::qWait(50);
    EXPECT_EQ(gate.computed().size(), 2);

    // Regions differ by their clip range, and a zero length is the whole file.
    EXPECT_EQ(WaveformLoader::regionKey(PlayableItem{"a", {}, 10, 0}), WaveformLoader::regionKey(fileItem("a")));
    EXPECT_NE(WaveformLoader::regionKey(PlayableItem{"a", {}, 10, 20}), WaveformLoader::regionKey(fileItem("a")));
}
