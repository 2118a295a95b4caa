#include "session_recipe.h"
#include "diff_json.h"
#include "diff_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace comparetest;
using kestrix::ClipChange;
using kestrix::ClipEntry;
using kestrix::FieldChange;
using kestrix::LocationChange;
using kestrix::SessionDiff;
using kestrix::TrackChange;
using kestrix::TrackEntry;

namespace {

using Move = std::pair<uint64_t, uint64_t>;

// The old and new positions of the moved clips, in order.
std::vector<Move> moves(const SessionDiff &d)
{
    std::vector<Move> out;
    for (const ClipChange &c : d.clipsMoved)
        out.push_back({c.oldPosition, c.newPosition});
    return out;
}

Track &trackNamed(Recipe &recipe, const std::string &name)
{
    for (Track &track : recipe.tracks)
        if (track.name == name)
            return track;
    throw std::invalid_argument(name);
}

struct Edit {
    const char *what;
    std::function<void(Recipe &)> apply;
    std::function<void(SessionDiff &)> expect;  // fills in the whole diff
    bool reversed = false;                      // the edited session is the old one
};

// Every kind of difference, each made alone on the base session.
std::vector<Edit> singleEdits()
{
    return {
        {"sample rate", [](Recipe &r) { r.sampleRate = 96000; },
         [](SessionDiff &d) { d.properties = {{"Sample Rate", "48000", "96000"}}; }},
        {"track added", [](Recipe &r) { r.tracks.push_back({.name = "Dialog 3"}); },
         [](SessionDiff &d) { d.tracksAdded = {{"Dialog 3", 7}}; }},
        {"track removed", [](Recipe &r) { r.tracks.erase(r.tracks.begin() + 6); },
         [](SessionDiff &d) { d.tracksRemoved = {{"Temp", 6}}; }},
        {"comment", [](Recipe &r) { trackNamed(r, "Dialog").comment = "final"; },
         [](SessionDiff &d) { d.tracksChanged = {{"Dialog", 3, 3, {{"comment", "", "final"}}}}; }},
        {"insert switched off", [](Recipe &r) { trackNamed(r, "Kick").inserts[1].active = false; },
         [](SessionDiff &d) { d.tracksChanged = {{"Kick", 1, 1, {{"inserts", "Gate, EQ", "Gate, EQ (inactive)"}}}}; }},
        {"format and colour", [](Recipe &r) { trackNamed(r, "Music").format = 1, trackNamed(r, "Music").color = 25; },
         [](SessionDiff &d) {
             d.tracksChanged = {
                 {"Music", 4, 4, {{"format", "Mono", "Stereo"}, {"color", uint64_t(65534), uint64_t(25)}}}};
         }},
        // The folder loses a child too, but only the snare's own folder field is compared.
        {"taken out of its folder", [](Recipe &r) { trackNamed(r, "Snare").folder.clear(); },
         [](SessionDiff &d) { d.tracksChanged = {{"Snare", 2, 2, {{"folder", "Drums", ""}}}}; }},
        {"clip added", [](Recipe &r) { trackNamed(r, "Dialog").placements.push_back({"Dialog_01", 2880000}); },
         [](SessionDiff &d) { d.clipsAdded = {{"Dialog", "Dialog_01", 2880000, {3, 2}}}; }},
        {"clip removed", [](Recipe &r) { trackNamed(r, "Kick").placements.erase(trackNamed(r, "Kick").placements.begin()); },
         [](SessionDiff &d) { d.clipsRemoved = {{"Kick", "Kick_01", 0, {1, 0}}}; }},
        {"clip moved", [](Recipe &r) { trackNamed(r, "Snare").placements[1].position = 576000; },
         [](SessionDiff &d) {
             d.clipsMoved = {{"Snare", "Snare_02", 480000, 576000, 0, 0, 96000, 96000, {2, 1}, {2, 1}}};
         }},
        {"clip trimmed at its end", [](Recipe &r) { r.clips[3].length = 72000; },
         [](SessionDiff &d) { d.clipsTrimmed = {{"Dialog", "Room", 0, 0, 0, 0, 96000, 72000, {3, 0}, {3, 0}}}; }},
        // Moved by the trim: listed once, as trimmed.
        {"clip trimmed at its start",
         [](Recipe &r) {
             r.clips[2].offset += 4800, r.clips[2].length -= 4800;
             trackNamed(r, "Dialog").placements[1].position += 4800;
         },
         [](SessionDiff &d) {
             d.clipsTrimmed = {{"Dialog", "Dialog_01", 960000, 964800, 48000, 52800, 480000, 475200, {3, 1}, {3, 1}}};
         }},
        {"audio file added", [](Recipe &r) { r.files.push_back("Kick_04.wav"); },
         [](SessionDiff &d) { d.filesAdded = {{"Kick_04.wav", "/Media/Sessions/Audio Files/Kick_04.wav"}}; }},
        {"audio file removed", [](Recipe &r) { r.files.push_back("Old.wav"); },
         [](SessionDiff &d) { d.filesRemoved = {{"Old.wav", "/Media/Sessions/Audio Files/Old.wav"}}; }, true},
        {"plug-in added with its insert", [](Recipe &r) { trackNamed(r, "FX").inserts.push_back({"EQ3 7-Band"}); },
         [](SessionDiff &d) {
             d.pluginsAdded = {"EQ3 7-Band"};
             d.tracksChanged = {{"FX", 5, 5, {{"inserts", "", "EQ3 7-Band"}}}};
         }},
        {"marker added", [](Recipe &r) { r.locations.push_back({5, 0, 1, "Verse 2", 3360000, 3360000, {}}); },
         [](SessionDiff &d) { d.locationsAdded = {{5, "Verse 2", 3360000}}; }},
        {"marker moved", [](Recipe &r) { r.locations[1].start = r.locations[1].end = 2640000; },
         [](SessionDiff &d) {
             d.locationsChanged = {{3, "Chorus", {{"start", uint64_t(2400000), uint64_t(2640000)},
                                                  {"end", uint64_t(2400000), uint64_t(2640000)}}}};
         }},
        {"marker renumbered", [](Recipe &r) { r.locations[0].number = 4; },
         [](SessionDiff &d) { d.locationsChanged = {{4, "Intro", {{"number", int64_t(1), int64_t(4)}}}}; }},
    };
}

} // namespace

namespace kestrix {

// Failures show the diffs as JSON.
void PrintTo(const SessionDiff &diff, std::ostream *out)
{
    *out << diffJson(diff);
}

} // namespace kestrix

TEST(CompareSessions, EachKindOfDifferenceAloneAndAllTogether)
{
    const Recipe base = baseRecipe();
    Recipe everything = base;
    size_t total = 0;
    for (const Edit &edit : singleEdits()) {
        SCOPED_TRACE(edit.what);
        Recipe changed = base;
        edit.apply(changed);
        edit.apply(everything);
        SessionDiff expected;
        edit.expect(expected);
        const SessionDiff diff = edit.reversed ? compareRecipes(changed, base) : compareRecipes(base, changed);
        EXPECT_EQ(diff, expected);
        EXPECT_FALSE(diff.identical());
        total += differenceCount(expected);
    }
    // The edits touch different items, so together they add up. The removed
    // audio file is the one edit compared the other way round: here it is added.
    const SessionDiff all = compareRecipes(base, everything);
    EXPECT_EQ(differenceCount(all), total);
    EXPECT_EQ(all.filesAdded.size(), 2u);
}

TEST(CompareSessions, ARenameIsARemovalAndAnAddition)
{
    Recipe renamed = baseRecipe();
    trackNamed(renamed, "Dialog").name = "Dialog 3";
    renamed.clips[0].name = "Kick_01b";
    for (Placement &p : trackNamed(renamed, "Kick").placements)
        p.clip = "Kick_01b";
    renamed.locations[1].name = "Chorus 1";
    renamed.locations[1].number = 7;
    SessionDiff expected;
    expected.tracksAdded = {{"Dialog 3", 3}};
    expected.tracksRemoved = {{"Dialog", 3}};
    // The renamed track's clips are not compared; the renamed clip's three
    // placements are three removals and three additions.
    for (const auto &[at, clip] : {std::pair{uint64_t(0), size_t(0)}, {96000, 1}, {192000, 2}}) {
        expected.clipsRemoved.push_back({"Kick", "Kick_01", at, {1, clip}});
        expected.clipsAdded.push_back({"Kick", "Kick_01b", at, {1, clip}});
    }
    expected.locationsAdded = {{7, "Chorus 1", 2400000}};
    expected.locationsRemoved = {{3, "Chorus", 2400000}};
    EXPECT_EQ(compareRecipes(baseRecipe(), renamed), expected);
}

TEST(CompareSessions, RepeatedClipsPairInTimelineOrder)
{
    Recipe shifted = baseRecipe();
    // Kicks at 0, 96000, 192000 become 0, 100000, 192000: one moved clip.
    trackNamed(shifted, "Kick").placements[1].position = 100000;
    SessionDiff d = compareRecipes(baseRecipe(), shifted);
    EXPECT_EQ(moves(d), (std::vector<Move>{{96000, 100000}}));
    EXPECT_EQ(differenceCount(d), 1u);

    // Both snares moved later, listed out of order: the first pairs with the first.
    Recipe later = baseRecipe();
    trackNamed(later, "Snare").placements = {{"Snare_02", 900000}, {"Snare_02", 60000}};
    d = compareRecipes(baseRecipe(), later);
    EXPECT_EQ(moves(d), (std::vector<Move>{{48000, 60000}, {480000, 900000}}));

    // One snare fewer: the first pairs with the first and the last is removed.
    Recipe fewer = baseRecipe();
    trackNamed(fewer, "Snare").placements = {{"Snare_02", 60000}};
    d = compareRecipes(baseRecipe(), fewer);
    EXPECT_EQ(moves(d), (std::vector<Move>{{48000, 60000}}));
    EXPECT_EQ(d.clipsRemoved, (std::vector<ClipEntry>{{"Snare", "Snare_02", 480000, {2, 1}}}));
}

// The reader lists one track per name, so repeated track names are checked on
// model values.
TEST(CompareSessions, RepeatedTrackNamesPairInOrder)
{
    const auto track = [](const char *clip, uint64_t position) {
        kestrix::PTXTrackInfo t;
        t.name = "Vox";
        kestrix::PTXClipInfo c;
        c.name = clip;
        c.timelinePosition = position;
        t.clips = {c};
        return t;
    };
    kestrix::PTXSessionInfo before, after;
    before.tracks = {track("Take 1", 0), track("Take 2", 0)};
    after.tracks = {track("Take 1", 0), track("Take 2", 48000), track("Take 3", 0)};
    after.tracks[1].comment = "keep";
    SessionDiff expected;
    expected.tracksAdded = {{"Vox", 2}};
    expected.tracksChanged = {{"Vox", 1, 1, {{"comment", "", "keep"}}}};
    expected.clipsMoved = {{"Vox", "Take 2", 0, 48000, 0, 0, 0, 0, {1, 0}, {1, 0}}};
    EXPECT_EQ(kestrix::compareSessions(before, after), expected);
}

TEST(CompareSessions, PositionsPast32BitsStayExact)
{
    constexpr uint64_t far = (uint64_t(1) << 33) + 5;
    Recipe before = baseRecipe();
    trackNamed(before, "Dialog").placements.push_back({"Dialog_01", 0, far});
    before.clips[1].offset = (uint64_t(1) << 32) + 1;
    Recipe after = before;
    trackNamed(after, "Dialog").placements.back().groupOffset = far + 1;
    after.clips[1].offset += 2;

    const SessionDiff d = compareRecipes(before, after);
    EXPECT_EQ(moves(d), (std::vector<Move>{{far, far + 1}}));
    ASSERT_EQ(d.clipsTrimmed.size(), 2u);  // both snares
    EXPECT_EQ(d.clipsTrimmed[0].newOffset, (uint64_t(1) << 32) + 3);
}

TEST(CompareSessions, MinSecTexts)
{
    EXPECT_EQ(kestrix::minSecText(0, "48000"), "0:00.000");
    // The largest count neither overflows nor loses the last sample's millisecond.
    EXPECT_EQ(kestrix::minSecText(UINT64_MAX, "96000"), "53375995583:39:01.162");
    EXPECT_EQ(kestrix::minSecText(480, "Unknown"), "480 samples");
}
