#include "channel_stem.h"
#include "model_builders.h"
#include "multi_mono_grouping.h"

#include <gtest/gtest.h>

using namespace kestrix;
using namespace modeltest;

namespace {

// Each group as "id: suffix=name suffix=name ...".
template <class Group, class ChannelName>
Names describe(const std::vector<Group> &groups, ChannelName channelName)
{
    Names out;
    for (const Group &g : groups) {
        EXPECT_EQ(g.id, g.baseName);
        std::string line = g.id + ":";
        for (const auto &channel : g.channels)
            line += " " + channel.suffix + "=" + channelName(channel);
        out.push_back(line);
    }
    return out;
}

Names fileGroups(const std::vector<PTXAudioFile> &files)
{
    return describe(groupAudioFiles(files), [](const PTXAudioFileGroup::Channel &c) { return c.fileName; });
}

Names clipGroupsOf(const std::vector<PTXClipInfo> &clips)
{
    return describe(groupClips(clips), [](const PTXClipGroup::Channel &c) { return c.clip.name; });
}

} // namespace

TEST(ChannelStem, LongestSuffixAndNonEmptyStem)
{
    const auto stem = [](std::string_view name) {
        const std::optional<ChannelStem> s = channelStem(name);
        return s ? std::string(s->stem) + "|" + std::string(s->suffix) : std::string("-");
    };
    // No stem for: an empty stem, no dot, a suffix in the wrong case, a name that is no suffix.
    const std::pair<const char *, const char *> cases[] = {
        {"Amb.Lss", "Amb|Lss"}, {"Amb.Ls", "Amb|Ls"}, {"Mix.5.1.LFE", "Mix.5.1|LFE"}, {"X.Ltf", "X|Ltf"}, {".L", "-"},
        {"GtrL", "-"},          {"Gtr.l", "-"},       {"Gtr.Left", "-"},             {"L", "-"},
    };
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(stem(name), expected) << name;
}

TEST(MultiMonoGrouping, AudioFilesGroupByStemInFirstAppearanceOrder)
{
    const std::vector<PTXAudioFile> files = {
        audioFile("Vox.wav", "/a/Vox.wav"),
        audioFile("Gtr.L.wav", "/a/Gtr.L.wav"),
        audioFile("Solo.R.wav"),
        audioFile(".L.wav"),
        audioFile("Gtr.R.wav", "/a/Gtr.R.wav"),
        audioFile("Amb.Lss.aif"),
        audioFile("Vox.wav", "/b/Vox.wav"),  // same name again: listed once
        audioFile("Amb.Rss.aif"),
        audioFile("Amb.C.aif"),
    };
    EXPECT_EQ(fileGroups(files), (Names{
                                     "Vox.wav: =Vox.wav",
                                     "Gtr: L=Gtr.L.wav R=Gtr.R.wav",
                                     "Solo.R.wav: R=Solo.R.wav",
                                     ".L.wav: =.L.wav",
                                     "Amb: Lss=Amb.Lss.aif Rss=Amb.Rss.aif C=Amb.C.aif",
                                 }));
    const std::vector<PTXAudioFileGroup> groups = groupAudioFiles(files);
    EXPECT_EQ(groups[1].channels[1].path, "/a/Gtr.R.wav");
    EXPECT_EQ(groups[0].channels[0].path, "/a/Vox.wav") << "the first file of a name";
}

TEST(MultiMonoGrouping, EqualStemsMergeWhateverTheirExtension)
{
    // A stereo pair and a 5.1 set named alike form one candidate.
    const std::vector<PTXAudioFile> files = {
        audioFile("Mix.L.wav"), audioFile("Mix.R.wav"), audioFile("Mix.L.aif"), audioFile("Mix.R.aif"),
        audioFile("Mix.C.aif"), audioFile("Mix.LFE.aif"), audioFile("Mix.Ls.aif"), audioFile("Mix.Rs.aif"),
    };
    EXPECT_EQ(fileGroups(files), (Names{"Mix: L=Mix.L.wav R=Mix.R.wav L=Mix.L.aif R=Mix.R.aif C=Mix.C.aif "
                                        "LFE=Mix.LFE.aif Ls=Mix.Ls.aif Rs=Mix.Rs.aif"}));
    EXPECT_EQ(fileGroups({audioFile("Gtr.L")}), Names{"Gtr.L: =Gtr.L"}) << "\".L\" is the extension here";
}

TEST(MultiMonoGrouping, ClipsUseTheFirstClipOfEachNameAsItIs)
{
    std::vector<PTXClipInfo> clips = {
        clip("Gtr.L", 100), clip("Kick_01"), clip("Gtr.L", 999), clip("Gtr.R", 100),
        clip("Gtr"),  // the set's own name: shown by the set
        clip("Pad.L.wav"), clip("Kick_01"),
    };
    EXPECT_EQ(clipGroupsOf(clips),
              (Names{"Gtr: L=Gtr.L R=Gtr.R", "Kick_01: =Kick_01", "Pad.L.wav: =Pad.L.wav"}));
    const std::vector<PTXClipGroup> groups = groupClips(clips);
    EXPECT_EQ(groups[0].channels[0].clip.timelinePosition, 100u) << "the first Gtr.L";
    EXPECT_EQ(clipGroupIds(clips), (Names{"Gtr", "Kick_01", "Pad.L.wav"}));
    EXPECT_TRUE(groupClips({}).empty());
}
