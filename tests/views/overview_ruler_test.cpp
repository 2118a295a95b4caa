// The ruler widget on sessions whose texts and stored views come from
// anywhere: where its labels start, and that they stay few and current.
#include "overview_ruler.h"
#include "universe_test_tracks.h"

#include <QImage>

#include <cmath>

#include <gtest/gtest.h>

using namespace kestrix;
using universetest::lane;
using universetest::placed;

namespace {

PTXSessionInfo session48k(std::vector<PTXTrackInfo> tracks)
{
    PTXSessionInfo session;
    session.sampleRate = "48000";
    session.tempo = "120 BPM";
    session.meter = "4/4";
    session.tracks = std::move(tracks);
    return session;
}

} // namespace

TEST(OverviewRuler, ClipsOfNoLengthStillMarkWhereTheLabelsStart)
{
    // The only clips sit at 2 s and have no length: the time axis starts there.
    PTXSessionInfo session = session48k({lane("A", {placed("marker", 96000, 0), placed("marker", 96000, 0)})});
    session.mainCounterFormat = 2;
    OverviewRuler ruler;
    ruler.resize(600, OverviewRuler::kHeight);
    ruler.setSession(session, sessionExtent(session.tracks));
    ASSERT_EQ(ruler.format(), RulerFormat::timecode);
    ASSERT_EQ(ruler.labels().size(), 1u);
    EXPECT_EQ(ruler.labels().front().text, "00:00:02:00");
    ruler.setFormat(RulerFormat::minutesSeconds);
    EXPECT_EQ(ruler.labels().front().text, "0:02");
}

TEST(OverviewRuler, HostileTextsAndStoredZoomsGiveAFewLabelsThatFollowTheWidth)
{
    // 1e18 BPM over ten seconds of clips, shown in Bars|Beats.
    PTXSessionInfo session = session48k({lane("A", {placed("a", 0, 480000)})});
    session.tempo = "1000000000000000000 BPM";
    session.mainCounterFormat = 0;
    OverviewRuler ruler;
    ruler.resize(700, OverviewRuler::kHeight);
    ruler.setSession(session, sessionExtent(session.tracks));
    ASSERT_EQ(ruler.shownFormat(), RulerFormat::barsBeats);
    EXPECT_FALSE(ruler.labels().empty());
    EXPECT_LE(ruler.labels().size(), 700u / 70 + 2);
    ruler.grab();

    // A zoom of 0 or one that is not a number shows the whole session, as zoom 1 does.
    ruler.setFormat(RulerFormat::samples);
    const std::vector<LabelEntry> whole = ruler.labels();
    for (double zoom : {0.0, 1e-20, double(NAN)}) {
        UniverseViewport stored;
        stored.horizontalZoom = zoom;
        stored.horizontalSampleOffset = NAN;
        ruler.setViewport(stored);
        EXPECT_EQ(ruler.labels(), whole) << zoom;
    }

    // At 1 Hz a day-long session's 4.8e9 samples are 1.3 million hours: a
    // label every many hours, as many as the width holds, and more once it
    // is wider.
    session.sampleRate = "1";
    session.tracks = {lane("A", {placed("a", 0, 4800000000)})};
    ruler.setSession(session, sessionExtent(session.tracks));
    ruler.setFormat(RulerFormat::minutesSeconds);
    ruler.setViewport({});
    const size_t narrow = ruler.labels().size();
    EXPECT_LE(narrow, 700u / 70 + 2);
    ruler.resize(1400, OverviewRuler::kHeight);
    EXPECT_GT(ruler.labels().size(), narrow);
    EXPECT_LE(ruler.labels().size(), 1400u / 70 + 2);

    // Drawn as labels on the background, not as a solid bar of ticks.
    const QImage picture = ruler.grab().toImage();
    const QRgb background = picture.pixel(picture.width() - 1, 0);
    int painted = 0;
    for (int x = 0; x < picture.width(); ++x)
        painted += picture.pixel(x, picture.height() - 1) != background;
    EXPECT_LT(painted, picture.width() / 10);
}
