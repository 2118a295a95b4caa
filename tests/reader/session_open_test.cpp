// Opening sessions through the flat interface: errors and accessor defaults.
#include "marker_blocks.h"
#include "media_blocks.h"
#include "property_blocks.h"
#include "test_helpers.h"
#include "track_blocks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace ptxtest;
using ptxw::Block;
using ptxw::Bytes;

namespace {

std::string openError(const char *path)
{
    char *err = reinterpret_cast<char *>(0x1);  // must be reset to null first
    ptx_session *s = ptx_session_open(path, &err);
    EXPECT_EQ(s, nullptr);
    std::string text = err ? err : "<null>";
    std::free(err);
    return text;
}

// Text in quotes.
std::string quoted(const char *text)
{
    return "'" + std::string(text) + "'";
}

// Every value of entry i of each list, and of entry i of the lists of track and group i.
std::string entryValues(const ptx_session *s, int i)
{
    return joined(
        " | ",
        joined(" ", quoted(ptx_track_name(s, i)), ptx_track_type(s, i), quoted(ptx_track_format_name(s, i)),
               ptx_track_color_index(s, i), quoted(ptx_track_comment(s, i)), ptx_track_depth(s, i),
               quoted(ptx_track_parent_name(s, i)), ptx_track_is_folder(s, i), ptx_track_child_count(s, i),
               ptx_track_placement_count(s, i), ptx_track_plugin_count(s, i)),
        joined(" ", ptx_track_placement_clip(s, i, i), ptx_track_placement_is_group(s, i, i),
               ptx_track_placement_group(s, i, i), ptx_track_placement_position(s, i, i),
               ptx_track_placement_color(s, i, i), quoted(ptx_track_plugin_name(s, i, i)),
               ptx_track_plugin_active(s, i, i), ptx_track_plugin_id(s, i, i)),
        joined(" ", quoted(ptx_clip_name(s, i)), ptx_clip_file_index(s, i), ptx_clip_sample_offset(s, i),
               ptx_clip_sample_length(s, i), quoted(ptx_clip_group_name(s, i)), ptx_clip_group_member_count(s, i),
               ptx_clip_group_member_clip(s, i, i), ptx_clip_group_member_offset(s, i, i)),
        joined(" ", quoted(ptx_audio_file_name(s, i)), quoted(ptx_audio_file_path(s, i)),
               quoted(ptx_audio_file_type_tag(s, i)), ptx_audio_file_unhandled(s, i)),
        joined(" ", quoted(ptx_active_plugin_name(s, i)), quoted(ptx_inactive_plugin_name(s, i)),
               ptx_session_tempo_bpm(s, i), ptx_session_meter_numerator(s, i), ptx_session_meter_denominator(s, i)),
        joined(" ", ptx_memory_location_number(s, i), quoted(ptx_memory_location_name(s, i)),
               ptx_memory_location_type(s, i), quoted(ptx_memory_location_type_name(s, i)),
               ptx_memory_location_reference(s, i), ptx_memory_location_start(s, i), ptx_memory_location_end(s, i),
               ptx_memory_location_color_r(s, i), ptx_memory_location_color_g(s, i),
               ptx_memory_location_color_b(s, i)));
}

} // namespace

TEST(SessionOpen, FailuresGiveTheirMessage)
{
    EXPECT_EQ(openError(nullptr), "ptx_path is NULL");
    EXPECT_EQ(ptx_session_open(nullptr, nullptr), nullptr);
    EXPECT_EQ(openError("/nonexistent/missing.ptx"), "Failed to parse session");

    TempFile f("bad.ptx");
    Bytes header(19, 0);
    header[18] = 1;
    ASSERT_TRUE(ptxw::writeBytes(f.path(), header));
    EXPECT_EQ(openError(f.path().c_str()), "Failed to parse session") << "too short";
    header.resize(20);
    ASSERT_TRUE(ptxw::writeBytes(f.path(), header));
    EXPECT_EQ(openError(f.path().c_str()), "Failed to parse session") << "no blocks";

    ptxw::SessionFile good = sessionWith({Block(0x7777).u32(0)});
    ASSERT_TRUE(good.write(f.path()));
    char *err = reinterpret_cast<char *>(0x1);
    ptx_session *s = ptx_session_open(f.path().c_str(), &err);
    EXPECT_NE(s, nullptr) << "any block makes a session";
    EXPECT_EQ(err, nullptr);
    ptx_session_free(s);
    ptx_session_free(nullptr);
}

// Every accessor gives its default for a null handle and for an index
// outside its list (the session-wide defaults are with the properties).
TEST(SessionOpen, NullHandleAndBadIndicesGiveTheDefaults)
{
    SessionPtr empty = openSession(sessionWith({Block(0x7777).u32(0)}));
    const ptxw::PluginKey eq = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    SessionPtr one = openSession(sessionWith({
        ptxw::trackBlock({"A", 0, 0, 1}),
        ptxw::playlistsBlock({ptxw::playlistBlock("A", {ptxw::placementListBlock({{0, 10}})})}),
        ptxw::pluginDefinitionBlock("EQ", eq),
        ptxw::trackSettingsBlock(
            {ptxw::trackSettingsRecord(1, {ptxw::insertListBlock({ptxw::pluginSlotBlock(eq, true)})})}),
        ptxw::clipListBlock({{.name = "Clip"}}),
        ptxw::clipGroupMembersBlock({{0, 1}}),
        ptxw::clipGroupNameBlock("Group"),
        ptxw::audioFileListBlock({ptxw::fileEntry("A.wav")}, 0),
        ptxw::tempoMapBlock({{120.0, 0}}),
        ptxw::meterMapBlock({{0, 3, 4}}),
        ptxw::memoryLocationBlock({.name = "Marker"}),
    }));
    ASSERT_TRUE(empty && one);
    // One entry in each list of `one`, so that 1 is just past its end (inactive plug-ins: none).
    ASSERT_EQ(joined(" ", ptx_track_count(one.get()), ptx_track_placement_count(one.get(), 0),
                     ptx_track_plugin_count(one.get(), 0), ptx_clip_count(one.get()), ptx_clip_group_count(one.get()),
                     ptx_clip_group_member_count(one.get(), 0), ptx_audio_file_count(one.get()),
                     ptx_active_plugin_count(one.get()), ptx_session_tempo_count(one.get()),
                     ptx_session_meter_count(one.get()), ptx_memory_location_count(one.get())),
              "1 1 1 1 1 1 1 1 1 1 1");
    const ptx_session *const sessions[] = {nullptr, empty.get(), one.get()};
    for (const ptx_session *s : sessions)
        for (int i : {-1, s == one.get() ? 1 : 0})
            EXPECT_EQ(entryValues(s, i), "'' 255 '' 65534 '' 0 '' 0 0 0 0 | -1 0 -1 0 65534 '' 0 -1 "
                                         "| '' -1 0 0 '' 0 -1 0 | '' '' '' 0 | '' '' 0 0 0 | 0 '' 0 '' 0 0 0 0 0 0")
                << i;
    // Format codes without a name.
    for (uint8_t code : {11, 15, 255})
        EXPECT_STREQ(ptx_track_format_name_for_code(code), "Unknown") << int(code);
    EXPECT_STREQ(ptx_track_format_name_for_code(0), "Mono");
    EXPECT_STREQ(ptx_track_format_name_for_code(10), "7.1 SDDS");
    EXPECT_STREQ(ptx_track_format_name_for_code(14), "7.1");
}
