// The request bodies of the import commands, written as Pro Tools expects
// them: one line, members in a fixed order, ": " and ", " between them,
// names escaped, string arrays without blanks.
#ifndef KESTRIX_PTSL_IMPORT_BODIES_H
#define KESTRIX_PTSL_IMPORT_BODIES_H

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// Command numbers of the import commands.
inline constexpr int32_t kCreateNewTracks = 72;
inline constexpr int32_t kSelectTracksByName = 73;
inline constexpr int32_t kImportAudioToClipList = 123;
inline constexpr int32_t kSpotClipsByID = 124;
inline constexpr int32_t kCreateAudioClips = 127;
inline constexpr int32_t kSetTrackColor = 153;

// "AOperations_AddAudio" when linking (which wins), else
// "AOperations_ConvertAudio" when converting, else "AOperations_CopyAudio".
const char *audioOperation(bool convert, bool link);

std::string createNewTracksBody(std::string_view name, std::string_view format, std::string_view type,
                                std::string_view folder);
std::string setTrackColorBody(std::string_view trackName, int32_t colorIndex);
std::string selectTracksBody(std::string_view trackName);
std::string importAudioBody(const std::set<std::string> &paths, std::string_view operation);
std::string spotClipsBody(const std::vector<std::string> &clipIds, std::string_view trackId,
                          std::string_view trackName, uint64_t position);

// One clip_info element. Channels are empty for clips written without
// channel information.
struct ClipSourceElement {
    std::string fileId;
    uint64_t start = 0, end = 0;
    std::string sourceChannel, destinationChannel;
};
// The body of CreateAudioClips with one clip; stereo adds the channel
// format.
std::string createAudioClipsBody(std::string_view name, bool stereo, const std::vector<ClipSourceElement> &sources);

} // namespace kestrix

#endif
