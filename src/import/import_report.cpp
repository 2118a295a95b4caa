#include "import_report.h"

#include <algorithm>
#include <filesystem>

namespace kestrix::import {

namespace {

void section(std::vector<std::string> &lines, const std::string &title, const std::vector<std::string> &items)
{
    if (items.empty())
        return;
    lines.push_back("=== " + title + " (" + std::to_string(items.size()) + ") ===");
    lines.insert(lines.end(), items.begin(), items.end());
}

void property(std::vector<std::string> &lines, const char *label, const std::string &value)
{
    if (!value.empty())
        lines.push_back(label + value);
}

std::string timeText(std::time_t time)
{
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &parts);
    return text;
}

} // namespace

std::string importReport(const ReportInput &input)
{
    static const ImportOutcome noOutcome;
    const ImportOutcome &outcome = input.outcome ? *input.outcome : noOutcome;
    std::vector<std::string> lines = {"=== Kestrix Import Report ===", "Time: " + timeText(input.time),
                                      "Context: " + input.contextLabel};
    if (outcome.failed) {
        lines.push_back("Outcome: FAILED");
        lines.push_back("Error: " + (outcome.errors.empty() ? std::string() : outcome.errors.front()));
    } else if (!outcome.errors.empty()) {
        lines.push_back("Outcome: completed with " + std::to_string(outcome.errors.size()) + " warning(s)");
    } else {
        lines.push_back("Outcome: succeeded");
    }

    lines.push_back("=== Source .ptx Session ===");
    lines.push_back("File: " + std::filesystem::path(input.sessionFilePath).filename().string());
    if (const PTXSessionInfo *s = input.session) {
        property(lines, "Name: ", s->sessionName);
        property(lines, "Sample rate: ", s->sampleRate);
        property(lines, "Bit depth: ", s->bitDepth);
        property(lines, "Audio format: ", s->audioFormat);
        property(lines, "Frame rate: ", s->frameRate);
        property(lines, "Session start: ", s->sessionStart);
        property(lines, "Session length: ", s->sessionLength);
        lines.push_back("Audio tracks: " + std::to_string(s->audioTrackCount));
        lines.push_back("Clips: " + std::to_string(s->clipCount));
        lines.push_back("Audio files: " + std::to_string(s->audioFiles.size()));
    }

    lines.push_back("=== Pro Tools Session (destination) ===");
    if (!input.connected)
        lines.push_back("(Pro Tools not connected)");
    else
        lines.push_back(input.destinationInfo ? *input.destinationInfo : "(no info available)");

    section(lines, "Tracks Selected for Import", input.tracks);
    section(lines, "Audio Files", input.audioFiles);
    section(lines, "Clips", input.clips);
    if (!outcome.failed)
        section(lines, "Warnings", outcome.errors);

    lines.push_back("=== Operations ===");
    if (outcome.operations.empty())
        lines.push_back("(no operations recorded)");
    else
        lines.insert(lines.end(), outcome.operations.begin(), outcome.operations.end());
    lines.push_back("=== PTSL Transcript ===");
    lines.push_back(outcome.transcript.empty() ? "(no transcript captured)" : outcome.transcript);

    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    return text;
}

std::string reportFileName(const std::string &sessionFilePath, std::time_t time)
{
    std::string name = std::filesystem::path(sessionFilePath).stem().string();
    if (name.empty())
        name = "session";
    std::replace(name.begin(), name.end(), ' ', '_');
    return "Kestrix_Import_" + name + "_" + std::to_string(static_cast<long long>(time)) + ".txt";
}

} // namespace kestrix::import
