// Opening sessions through the flat interface: errors and accessor defaults.
#include "property_blocks.h"
#include "test_helpers.h"

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

TEST(SessionOpen, NullHandleBadIndicesAndMissingBlocksGiveDefaults)
{
    const ptx_session *n = nullptr;
    EXPECT_EQ(ptx_session_sample_rate(n), 0u);
    EXPECT_EQ(ptx_session_interleaved(n), -1);
    EXPECT_EQ(ptx_session_main_counter_format(n), 255);
    EXPECT_EQ(ptx_session_fixed_tempo(n), 0.0);
    EXPECT_STREQ(ptx_session_length_text(n), "");
    EXPECT_EQ(ptx_track_type(n, 0), 255);
    EXPECT_EQ(ptx_track_color_index(n, 0), 65534);
    EXPECT_EQ(ptx_track_placement_color(n, 0, 0), 65534);
    EXPECT_EQ(ptx_track_plugin_id(n, 0, 0), -1);

    // An opened session without any property block.
    SessionPtr s = openSession(sessionWith({Block(0x7777).u32(0)}));
    ASSERT_TRUE(s);
    EXPECT_EQ(ptx_session_interleaved(s.get()), -1);
    EXPECT_EQ(ptx_session_fixed_tempo(s.get()), 120.0);
    EXPECT_EQ(ptx_session_has_fixed_tempo(s.get()), 0);
    EXPECT_EQ(ptx_session_frame_rate_code(s.get()), 7);
    EXPECT_EQ(ptx_session_main_counter_format(s.get()), 255);
    EXPECT_EQ(ptx_session_meter_count(s.get()), 0);
    for (int i : {-1, 0, 1}) {
        EXPECT_EQ(ptx_session_tempo_bpm(s.get(), i), 0.0);
        EXPECT_EQ(ptx_session_meter_numerator(s.get(), i), 0u);
        EXPECT_STREQ(ptx_track_name(s.get(), i), "");
        EXPECT_STREQ(ptx_track_format_name(s.get(), i), "");
        EXPECT_FALSE(ptx_track_placement_is_group(s.get(), i, 0));
        EXPECT_STREQ(ptx_clip_group_name(s.get(), i), "");
        EXPECT_EQ(ptx_memory_location_end(s.get(), i), 0u);
        EXPECT_EQ(ptx_track_placement_clip(s.get(), i, 0), -1);
        EXPECT_EQ(ptx_track_placement_group(s.get(), i, 0), -1);
        EXPECT_EQ(ptx_clip_file_index(s.get(), i), -1);
        EXPECT_EQ(ptx_clip_group_member_clip(s.get(), i, 0), -1);
        EXPECT_STREQ(ptx_audio_file_path(s.get(), i), "");
        EXPECT_STREQ(ptx_active_plugin_name(s.get(), i), "");
        EXPECT_STREQ(ptx_memory_location_type_name(s.get(), i), "");
    }
    // Format codes without a name.
    for (uint8_t code : {11, 15, 255})
        EXPECT_STREQ(ptx_track_format_name_for_code(code), "Unknown") << int(code);
    EXPECT_STREQ(ptx_track_format_name_for_code(0), "Mono");
    EXPECT_STREQ(ptx_track_format_name_for_code(10), "7.1 SDDS");
    EXPECT_STREQ(ptx_track_format_name_for_code(14), "7.1");
}
