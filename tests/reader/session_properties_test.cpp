// Session properties read from the format, counter, timecode, tempo and meter blocks.
#include "property_blocks.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ptxtest;
using ptxw::Block;

namespace {

// The items, each after a blank.
std::string listed(const std::vector<std::string> &items)
{
    std::string out;
    for (const std::string &item : items)
        out += " " + item;
    return out;
}

// Every session-wide value as one text: "rate/audio format/pan depth/interleaved/bit depth/float | counter |
// frame rate code start 'length text' | [fixed] tempo | tempo map | meters".
std::string propertiesOf(const ptx_session *s)
{
    return joined(" | ",
                  joined("/", ptx_session_sample_rate(s), ptx_session_audio_format(s), ptx_session_pan_depth(s),
                         ptx_session_interleaved(s), ptx_session_bit_depth(s), ptx_session_is_float(s)),
                  ptx_session_main_counter_format(s),
                  joined(" ", ptx_session_frame_rate_code(s), ptx_session_start(s), "'") + ptx_session_length_text(s)
                      + "'",
                  (ptx_session_has_fixed_tempo(s) ? "fixed " : "") + joined("", ptx_session_fixed_tempo(s)),
                  listed(rows(ptx_session_tempo_count(s),
                              [&](int i) { return joined("", ptx_session_tempo_bpm(s, i)); })),
                  listed(rows(ptx_session_meter_count(s), [&](int i) {
                      return joined("/", ptx_session_meter_numerator(s, i), ptx_session_meter_denominator(s, i));
                  })));
}

} // namespace

TEST(SessionProperties, EachBlockFillsItsValuesAndDamageLeavesTheDefaults)
{
    // Format scan: candidates that do not match (bits 20, pan 5) come first and the scan goes on;
    // interleaving 2 leaves "unknown"; a later match in the same block is ignored.
    Block scanned(0x1028);
    scanned.at(4).u32(44100);
    scanned.at(20).u8(2).u8(1).u8(0).u8(0).u8(20);
    scanned.at(30).u8(2).u8(5).u8(0).u8(0).u8(24);
    scanned.at(40).u8(2).u8(4).u8(9).u8(2).u8(16);
    scanned.at(50).u8(2).u8(1).u8(0).u8(1).u8(24);
    // The scan reaches the block's last byte and no further: a match whose
    // bits byte is the last byte counts, one cut before it does not.
    Block edge(0x1028);
    edge.at(30).u8(2).u8(2).u8(0).u8(1).u8(24);
    Block cut(0x1028);
    cut.at(30).u8(2).u8(2).u8(0).u8(1);
    // A timecode block that ends the file 42 bytes past its offset takes the code from offset+2.
    Block shortTimecode(0x204d);
    shortTimecode.at(2).u8(12).at(11).u32(900).at(27).counted("12:00").zeros(6);
    // Code 0 at offset+42 falls back to offset+2; a length of 50 gives no text.
    Block zeroCode(0x204d);
    zeroCode.at(2).u8(9).at(11).u32(5).at(27).u32(50).at(42).u8(0).zeros(60);
    // A tempo marker with only 48 bytes from its start to the block's end is not read.
    Block tightTempo(0x2028);
    tightTempo.at(13).u32(1).at(21).bytes("Const").zeros(43);
    // The next meter event is found by its position: padding between events
    // is skipped, and when no plausible position follows the walk ends with
    // what it has, even below the count. (No byte-shifted reading of these
    // positions looks plausible.)
    Block meterGap(0x2029);
    meterGap.at(13).u32(3);
    meterGap.at(18).u32le(100000).at(29).u32le(2).u32le(4);
    meterGap.at(18 + 19 + 5).u32le(200000).at(18 + 19 + 5 + 11).u32le(3).u32le(4);
    meterGap.zeros(40);

    const std::string longest(49, '9');
    const std::string none = " | 255 | 7 0 '' | 120 |  | ";
    const struct {
        std::vector<Block> blocks;
        bool bigEndian;
        std::string expected;
    } cases[] = {
        {{ptxw::sessionFormatBlock(96000, 4, {3, 1, 32}), ptxw::counterFormatBlock(2),
          ptxw::timecodeBlock(3, 0x01020304, "01:02:03:04")},
         false, "96000/4/3/1/32/1 | 2 | 3 16909060 '01:02:03:04' | 120 |  | "},
        {{ptxw::sessionFormatBlock(96000, 4, {3, 1, 32}), ptxw::counterFormatBlock(2),
          ptxw::timecodeBlock(3, 0x01020304, "01:02:03:04")},
         true, "96000/4/3/1/32/1 | 2 | 3 16909060 '01:02:03:04' | 120 |  | "},
        {{scanned}, false, "44100/0/4/-1/16/0" + none},
        // Fields still missing are taken from later blocks (the first had audio format 0); set ones are kept.
        {{scanned, ptxw::sessionFormatBlock(48000, 3, {2, 0, 32})}, false, "44100/3/4/0/16/0" + none},
        {{edge}, false, "0/0/2/1/24/0" + none},
        {{cut, Block(0x0001).u8(24)}, false, "0/0/0/-1/0/0" + none},
        {{ptxw::counterFormatBlock(0)}, false, "0/0/0/-1/0/0 | 0 | 7 0 '' | 120 |  | "},
        {{shortTimecode}, false, "0/0/0/-1/0/0 | 255 | 12 900 '12:00' | 120 |  | "},
        // Only the first timecode block is used.
        {{zeroCode, ptxw::timecodeBlock(4, 1, "ignored")}, false, "0/0/0/-1/0/0 | 255 | 9 5 '' | 120 |  | "},
        {{ptxw::timecodeBlock(0, 7, "")}, false, "0/0/0/-1/0/0 | 255 | 7 7 '' | 120 |  | "},
        // The longest length text covers offset+42, so its '9' is the code there.
        {{ptxw::timecodeBlock(21, 7, longest)}, false,
         "0/0/0/-1/0/0 | 255 | " + std::to_string(int('9')) + " 7 '" + longest + "' | 120 |  | "},
        // Count 3 but two markers give two events; the first, empty block is passed over.
        {{ptxw::tempoMapBlock({}, 0), ptxw::tempoMapBlock({{96.5, 0}, {140.25, 48000}}, 3),
          ptxw::tempoMapBlock({{60.0, 0}})},
         false, "0/0/0/-1/0/0 | 255 | 7 0 '' | 120 |  96.5 140.25 | "},
        // Count 1 stops after the first event; the tempo is little-endian in both byte orders.
        {{ptxw::tempoMapBlock({{100.0, 0}, {200.0, 10}}, 1)}, true, "0/0/0/-1/0/0 | 255 | 7 0 '' | 120 |  100 | "},
        {{tightTempo}, false, "0/0/0/-1/0/0" + none},
        {{ptxw::fixedTempoBlock(97.5, true), ptxw::tempoMapBlock({{120.0, 0}})}, false,
         "0/0/0/-1/0/0 | 255 | 7 0 '' | fixed 97.5 |  120 | "},
        // Only the first fixed-tempo block counts.
        {{ptxw::fixedTempoBlock(88.0, false), ptxw::fixedTempoBlock(70.0, true)}, false,
         "0/0/0/-1/0/0 | 255 | 7 0 '' | 88 |  | "},
        {{ptxw::meterMapBlock({{0, 3, 4}, {960000, 7, 8}, {1920000, 5, 16}})}, false,
         "0/0/0/-1/0/0" + none + " 3/4 7/8 5/16"},
        // Count 0 is one 4/4 event and ends the walk.
        {{ptxw::meterMapBlock({}), ptxw::meterMapBlock({{0, 6, 8}})}, true, "0/0/0/-1/0/0" + none + " 4/4"},
        {{meterGap}, false, "0/0/0/-1/0/0" + none + " 2/4 3/4"},
    };
    EXPECT_EQ(propertiesOf(nullptr), "0/0/0/-1/0/0 | 255 | 0 0 '' | 0 |  | ") << "no session";
    for (uint8_t scheme : {1, 5}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.expected);
            ptxw::SessionFile file = sessionWith(c.blocks, c.bigEndian);
            file.scheme = scheme;
            file.seed = 0x9D;
            SessionPtr s = openSession(file);
            ASSERT_TRUE(s);
            EXPECT_EQ(propertiesOf(s.get()), c.expected) << "scheme " << int(scheme);
        }
    }
}
