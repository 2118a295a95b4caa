#include "demo_session.h"

#include "demo_inserts.h"
#include "demo_markers.h"
#include "demo_media.h"
#include "demo_playlists.h"
#include "demo_time.h"
#include "demo_tracks.h"
#include "property_blocks.h"

namespace demo {

namespace {

constexpr uint8_t kWavFormat = 3;
constexpr uint8_t kTwentyFourFps = 1;
constexpr uint32_t kOneHourAt24Fps = 3600 * 24;  // the session starts at 01:00:00:00

void addAll(ptxw::SessionFile &file, const std::vector<ptxw::Block> &blocks)
{
    for (const ptxw::Block &block : blocks)
        file.block(block);
}

} // namespace

ptxw::SessionFile demoSession(const std::vector<AudioFile> &files, std::string_view sessionName)
{
    ptxw::SessionFile file;
    file.scheme = 5;
    file.seed = 0x4b;
    file.block(ptxw::sessionFormatBlock(kSampleRate, kWavFormat, {.panDepth = 2, .interleaved = 1, .bitDepth = 24}))
        .block(ptxw::counterFormatBlock(1))
        .block(ptxw::timecodeBlock(kTwentyFourFps, kOneHourAt24Fps, "00:00:40:00"))
        .block(ptxw::tempoMapBlock({{kTempo, 0}}))
        .block(ptxw::fixedTempoBlock(kTempo, false))
        .block(ptxw::meterMapBlock({{0, 4, 4}, {uint32_t(samplesOfBeats(beatOf(17))), 3, 4}}))
        .block(audioFileList(files, sessionName))
        .block(clipList(files));
    addAll(file, clipGroups());
    addAll(file, trackBlocks());
    file.block(folderNesting()).block(playlists());
    addAll(file, pluginDefinitions());
    file.block(trackSettings());
    addAll(file, memoryLocations());
    return file;
}

} // namespace demo
