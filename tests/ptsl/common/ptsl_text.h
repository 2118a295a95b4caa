// Reading what the flat interface hands back.
#ifndef KESTRIX_TESTS_PTSL_TEXT_H
#define KESTRIX_TESTS_PTSL_TEXT_H

#include "ptsl.h"

#include <cstdlib>
#include <optional>
#include <regex>
#include <string>

// Takes ownership of a heap string from the flat interface; none for null.
inline std::optional<std::string> takeText(char *text)
{
    if (!text)
        return std::nullopt;
    std::string copy(text);
    std::free(text);
    return copy;
}

// Ends the calling thread's transcript and returns its text.
inline std::optional<std::string> endTranscript()
{
    return takeText(ptsl_transcript_end());
}

// The transcript with every elapsed time written as "N", so that records
// can be compared whole.
inline std::string withoutTimings(const std::string &transcript)
{
    static const std::regex elapsed("\xE2\x80\x94 [0-9]+ ms \xE2\x80\x94");
    return std::regex_replace(transcript, elapsed, "\xE2\x80\x94 N ms \xE2\x80\x94");
}

#endif
