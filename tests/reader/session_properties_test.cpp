// Session properties read from the format, counter, timecode, tempo and meter blocks.
#include "property_blocks.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ptxtest;
using ptxw::Block;

namespace {

// "rate/audio format/pan depth/interleaved/bit depth/float".
std::string formatOf(const ptx_session *s)
{
    return joined("/", ptx_session_sample_rate(s), ptx_session_audio_format(s), ptx_session_pan_depth(s),
                  ptx_session_interleaved(s), ptx_session_bit_depth(s), ptx_session_is_float(s));
}

// "frame rate code, start, 'length text'".
std::string timecodeOf(const ptx_session *s)
{
    return joined(" ", ptx_session_frame_rate_code(s), ptx_session_start(s), "'") + ptx_session_length_text(s) + "'";
}

std::vector<std::string> metersOf(const ptx_session *s)
{
    return rows(ptx_session_meter_count(s), [&](int i) {
        return joined("/", ptx_session_meter_numerator(s, i), ptx_session_meter_denominator(s, i));
    });
}

} // namespace

TEST(SessionProperties, FormatInBothByteOrdersAndSchemes)
{
    for (bool bigEndian : {false, true}) {
        for (uint8_t scheme : {1, 5}) {
            ptxw::SessionFile file = sessionWith(
                {ptxw::sessionFormatBlock(96000, 4, {3, 1, 32}), ptxw::counterFormatBlock(2),
                 ptxw::timecodeBlock(3, 0x01020304, "01:02:03:04")},
                bigEndian);
            file.scheme = scheme;
            file.seed = 0x9D;
            SessionPtr s = openSession(file);
            ASSERT_TRUE(s);
            EXPECT_EQ(formatOf(s.get()), "96000/4/3/1/32/1");
            EXPECT_EQ(ptx_session_main_counter_format(s.get()), 2);
            EXPECT_EQ(timecodeOf(s.get()), "3 16909060 '01:02:03:04'");
        }
    }
}

TEST(SessionProperties, SampleFormatScan)
{
    // Non-matching candidates (bits 20, pan 5) come first; the scan goes on.
    Block b(0x1028);
    b.at(4).u32(44100);
    b.at(20).u8(2).u8(1).u8(0).u8(0).u8(20);
    b.at(30).u8(2).u8(5).u8(0).u8(0).u8(24);
    b.at(40).u8(2).u8(4).u8(9).u8(2).u8(16);  // interleaving 2: unknown stays
    b.at(50).u8(2).u8(1).u8(0).u8(1).u8(24);  // a later match in the same block is ignored
    SessionPtr s = openSession(sessionWith({b}));
    ASSERT_TRUE(s);
    EXPECT_EQ(formatOf(s.get()), "44100/0/4/-1/16/0");

    // Fields still missing are taken from later blocks; set ones are kept.
    // The first block had audio format 0.
    s = openSession(sessionWith({b, ptxw::sessionFormatBlock(48000, 3, {2, 0, 32})}));
    EXPECT_EQ(formatOf(s.get()), "44100/3/4/0/16/0");

    // The scan reaches the block's last byte (p = end) and no further: a
    // match whose bits byte is the block's last byte counts.
    Block edge(0x1028);
    edge.at(30).u8(2).u8(2).u8(0).u8(1).u8(24);
    s = openSession(sessionWith({edge}));
    EXPECT_EQ(formatOf(s.get()), "0/0/2/1/24/0");
    Block cut(0x1028);
    cut.at(30).u8(2).u8(2).u8(0).u8(1);
    s = openSession(sessionWith({cut, Block(0x0001).u8(24)}));
    EXPECT_EQ(formatOf(s.get()), "0/0/0/-1/0/0");
}

TEST(SessionProperties, TimecodeFallbacks)
{
    // No 0x204d block: code 7, start 0, no length text.
    SessionPtr s = openSession(sessionWith({ptxw::counterFormatBlock(0)}));
    EXPECT_EQ(timecodeOf(s.get()), "7 0 ''");
    EXPECT_EQ(ptx_session_main_counter_format(s.get()), 0);

    // A short block (under 43 bytes past its offset) takes the code from offset+2.
    Block shortTc(0x204d);
    shortTc.at(2).u8(12).at(11).u32(900).at(27).counted("12:00");
    s = openSession(sessionWith({shortTc}));
    EXPECT_EQ(timecodeOf(s.get()), "12 900 '12:00'");

    // Code 0 at offset+42 falls back to offset+2; lengths 0 and 50 give no
    // text; only the first block is used.
    Block zero(0x204d);
    zero.at(2).u8(9).at(11).u32(5).at(27).u32(50).at(42).u8(0).zeros(60);
    s = openSession(sessionWith({zero, ptxw::timecodeBlock(4, 1, "ignored")}));
    EXPECT_EQ(timecodeOf(s.get()), "9 5 ''");
    s = openSession(sessionWith({ptxw::timecodeBlock(0, 7, "")}));
    EXPECT_EQ(timecodeOf(s.get()), "7 7 ''");
    const std::string longest(49, '9');
    s = openSession(sessionWith({ptxw::timecodeBlock(21, 7, longest)}));
    EXPECT_EQ(ptx_session_length_text(s.get()), longest);
}

TEST(SessionProperties, TempoMapAndFixedTempo)
{
    // Count 3 but only two markers: two events. The first empty block is passed over.
    SessionPtr s = openSession(sessionWith(
        {ptxw::tempoMapBlock({}, 0), ptxw::tempoMapBlock({{96.5, 0}, {140.25, 48000}}, 3),
         ptxw::tempoMapBlock({{60.0, 0}})}));
    ASSERT_EQ(ptx_session_tempo_count(s.get()), 2);
    EXPECT_EQ(ptx_session_tempo_bpm(s.get(), 0), 96.5);
    EXPECT_EQ(ptx_session_tempo_bpm(s.get(), 1), 140.25);

    // Count 1 stops after the first event; bpm is little-endian in both orders.
    s = openSession(sessionWith({ptxw::tempoMapBlock({{100.0, 0}, {200.0, 10}}, 1)}, true));
    ASSERT_EQ(ptx_session_tempo_count(s.get()), 1);
    EXPECT_EQ(ptx_session_tempo_bpm(s.get(), 0), 100.0);

    // A marker closer than 48 bytes to the block's end is not read.
    Block tight(0x2028);
    tight.at(13).u32(1).at(21).bytes("Const").zeros(40);
    s = openSession(sessionWith({tight}));
    EXPECT_EQ(ptx_session_tempo_count(s.get()), 0);

    s = openSession(sessionWith({ptxw::fixedTempoBlock(97.5, true), ptxw::tempoMapBlock({{120.0, 0}})}));
    EXPECT_EQ(ptx_session_has_fixed_tempo(s.get()), 1);
    EXPECT_EQ(ptx_session_fixed_tempo(s.get()), 97.5);
    s = openSession(sessionWith({ptxw::fixedTempoBlock(88.0, false), ptxw::fixedTempoBlock(70.0, true)}));
    EXPECT_EQ(ptx_session_has_fixed_tempo(s.get()), 0) << "only the first block counts";
    EXPECT_EQ(ptx_session_fixed_tempo(s.get()), 88.0);
}

TEST(SessionProperties, MeterMap)
{
    SessionPtr s = openSession(sessionWith({ptxw::meterMapBlock({{0, 3, 4}, {960000, 7, 8}, {1920000, 5, 16}})}));
    EXPECT_EQ(metersOf(s.get()), (std::vector<std::string>{"3/4", "7/8", "5/16"}));

    // Count 0 is one 4/4 event and ends the walk.
    s = openSession(sessionWith({ptxw::meterMapBlock({}), ptxw::meterMapBlock({{0, 6, 8}})}, true));
    EXPECT_EQ(metersOf(s.get()), std::vector<std::string>{"4/4"});

    // The next event is found by its position: padding between events is
    // skipped, and when no plausible position follows the walk ends with what
    // it has, even below the count. (Positions are chosen so that no
    // byte-shifted reading looks plausible.)
    Block gap(0x2029);
    gap.at(13).u32(3);
    gap.at(18).u32le(100000).at(29).u32le(2).u32le(4);
    gap.at(18 + 19 + 5).u32le(200000).at(18 + 19 + 5 + 11).u32le(3).u32le(4);
    gap.zeros(40);
    s = openSession(sessionWith({gap}));
    EXPECT_EQ(metersOf(s.get()), (std::vector<std::string>{"2/4", "3/4"}));
}
