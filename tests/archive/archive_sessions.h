// Session files for the archive tests and benchmark, written with the test
// writer: named tracks with comments and plug-ins, clips, audio files and
// markers.
#ifndef KESTRIX_TEST_ARCHIVE_SESSIONS_H
#define KESTRIX_TEST_ARCHIVE_SESSIONS_H

#include "session_writer.h"

#include <string>
#include <vector>

namespace archive_test {

struct ArchiveSession {
    std::vector<std::string> tracks;
    std::vector<std::string> comments;  // comments[i] belongs to tracks[i]
    std::vector<std::string> plugins;   // inserted on the first track, all active
    std::vector<std::string> clips;     // clip i plays file i % files.size()
    std::vector<std::string> files;
    std::vector<std::string> markers;
};

ptxw::SessionFile archiveSession(const ArchiveSession &session);

// Writes the session at `path`, creating its folders; aborts the test
// program when it cannot.
void writeArchiveSession(const std::string &path, const ArchiveSession &session);

} // namespace archive_test

#endif
