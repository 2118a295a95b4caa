#include "model_summary.h"

#include "file_type.h"
#include "multi_mono_grouping.h"

#include <algorithm>
#include <sstream>

namespace {

const char *changesNote(bool changes) { return changes ? " (changes present)" : ""; }

void nameList(std::ostringstream &out, const char *title, const std::vector<std::string> &names)
{
    out << "  " << title << " (" << names.size() << ")\n";
    for (const std::string &name : names)
        out << "    " << name << '\n';
}

} // namespace

std::string modelSummary(const kestrix::PTXSessionInfo &info)
{
    std::ostringstream out;
    out << "Session: " << info.sessionName << '\n'
        << "  Sample rate:     " << info.sampleRate << '\n'
        << "  Bit depth:       " << info.bitDepth << '\n'
        << "  Audio format:    " << info.audioFormat << '\n'
        << "  Interleaved:     " << info.interleaved << '\n'
        << "  Pan depth:       " << info.panDepth << '\n'
        << "  Frame rate:      " << info.frameRate << '\n'
        << "  Session start:   " << info.sessionStart << '\n'
        << "  Session length:  " << info.sessionLength << '\n'
        << "  Tempo:           " << info.tempo << changesNote(info.tempoChanges) << '\n'
        << "  Meter:           " << info.meter << changesNote(info.meterChanges) << '\n';

    out << "Tracks: " << info.tracks.size() << " (" << info.audioTrackCount << " audio)\n";
    for (const kestrix::PTXTrackInfo &track : info.tracks)
        out << "  " << std::string(2 * size_t(std::max<int64_t>(track.depth, 0)), ' ') << track.name << " ("
            << track.typeLabel() << ", " << track.format.name << ", " << track.clips.size() << " clips)\n";

    out << "Clips: " << info.clipCount << " (" << kestrix::groupClips(info.clips).size() << " groups)\n";

    out << "Audio files: " << info.audioFiles.size() << " (" << kestrix::groupAudioFiles(info.audioFiles).size()
        << " groups)\n";
    for (const kestrix::PTXAudioFile &file : info.audioFiles) {
        const kestrix::PTXFileTypeInfo type = kestrix::fileTypeInfo(file.typeTag);
        out << "  " << file.name << " [" << type.label << (type.playbackUnavailable ? ", not playable" : "")
            << "] " << (file.path.empty() ? "(no path)" : file.path) << '\n';
    }

    out << "Plug-ins: " << info.activePlugins.size() << " active, " << info.deactivatedPlugins.size()
        << " inactive\n";
    nameList(out, "Active", info.activePlugins);
    nameList(out, "Inactive", info.deactivatedPlugins);

    out << "Memory locations: " << info.memoryLocations.size() << '\n';
    for (const kestrix::PTXMemoryLocation &location : info.memoryLocations) {
        out << "  " << location.number << ". " << location.name;
        if (!location.timeProperties.empty())
            out << " (" << location.timeProperties << ", " << location.startTime << ")";
        out << '\n';
    }
    return out.str();
}
