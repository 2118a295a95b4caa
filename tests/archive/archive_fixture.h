// A small archive of sessions in nested folders, in a fresh temporary folder.
#ifndef KESTRIX_TEST_ARCHIVE_FIXTURE_H
#define KESTRIX_TEST_ARCHIVE_FIXTURE_H

#include "archive_sessions.h"
#include "archive_types.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace archive_test {

class ArchiveFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // root/Films/ReelA/Alpha.ptx, root/Films/ReelB/Beta.ptx,
    // root/Ads/Gamma.ptx and the damaged root/Ads/broken.ptx.
    void writeArchive();
    static ArchiveSession alpha();
    static ArchiveSession beta();
    static ArchiveSession gamma();

    std::string path(const std::string &relative) const { return dir_ + "/" + relative; }
    std::string root() const { return path("root"); }
    std::string database() const { return path("index.sqlite"); }

    // The session names of the hits, in order.
    static std::vector<std::string> names(const std::vector<kestrix::archive::SessionHit> &hits);

    std::string dir_;
};

// The first column of the first row `sql` gives on the database, "" for a statement that gives no row;
// nothing when the database cannot be opened or the statement fails.
std::optional<std::string> sqliteValue(const std::string &database, const std::string &sql);

} // namespace archive_test

#endif
