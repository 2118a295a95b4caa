// The PTSL transcript read back into entries for the transcript view: the
// track separators of a tracks import, the notes, and each command with a
// human-readable name, its timing, status, request and answer.
#ifndef KESTRIX_IMPORT_TRANSCRIPT_ENTRIES_H
#define KESTRIX_IMPORT_TRANSCRIPT_ENTRIES_H

#include <optional>
#include <string>
#include <vector>

namespace kestrix::import {

enum class TranscriptEntryKind { command, note, trackHeader };

struct TranscriptCommand {
    std::string name;      // as recorded: "CId_CreateNewTracks", "CId_(see id)"
    int id = 0;            // the PTSL command number
    std::string timing;    // "12 ms"
    std::string status;    // "OK" or "ERROR"
    std::string request;   // the request body as recorded ("(empty)" for none)
    std::string response;  // the answer body, or the error text when failed
};

struct TranscriptEntry {
    std::optional<int> stepNumber;  // commands only
    TranscriptEntryKind kind = TranscriptEntryKind::note;
    std::string text;  // the note, or the track name of a separator
    TranscriptCommand command;
};

// What a command row shows: "Create track "Kick" (Mono Audio)".
struct CommandHeader {
    int step = 0;
    std::string name;
    std::string timing;
    std::string status;
};

// Reads a transcript as the import operations write it, track separators
// included. Lines it does not recognise continue the entry before them.
std::vector<TranscriptEntry> parseTranscript(const std::string &transcript);

// The human-readable name of a command, composed from its request body
// where that says more ("Select track "Kick"").
std::string commandDescription(const TranscriptCommand &command);

CommandHeader commandHeader(const TranscriptEntry &entry);

// The command_error_message of a failed command, shown on a line of its
// own; empty when it succeeded or the error has none.
std::string proToolsMessage(const TranscriptCommand &command);

} // namespace kestrix::import

#endif
