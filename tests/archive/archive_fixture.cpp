#include "archive_fixture.h"

#include "session_writer.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>

namespace archive_test {

void ArchiveFixture::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrix-archive-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
}

void ArchiveFixture::TearDown()
{
    std::error_code ignored;
    std::filesystem::permissions(path("root/Locked"), std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(dir_, ignored);
}

ArchiveSession ArchiveFixture::alpha()
{
    return {{"Dialog 1", "Music Stem"},
            {"Take two is best", ""},
            {"EQ3 7-Band", "D-Verb"},
            {"Door Slam-01", "Wind Loop"},
            {"Door Slam.wav", "Wind.wav"},
            {"Reel 3 LFOA", "Scene 12", "Über Kopf"}};
}

ArchiveSession ArchiveFixture::beta()
{
    return {{"Foley Feet"}, {"Check sync"}, {"ReVibe II"}, {"Footsteps Gravel"}, {"Footsteps.wav"}, {"Reel 4 FFOA"}};
}

ArchiveSession ArchiveFixture::gamma()
{
    return {{"VO Müller", "Reverb Send"}, {"Grüße aus Łódź", ""}, {"EQ3 1-Band"}, {"Door Creak"}, {"Creak.aif"}, {"Reel 3 Start"}};
}

void ArchiveFixture::writeArchive()
{
    writeArchiveSession(path("root/Films/ReelA/Alpha.ptx"), alpha());
    writeArchiveSession(path("root/Films/ReelB/Beta.ptx"), beta());
    writeArchiveSession(path("root/Ads/Gamma.ptx"), gamma());
    ASSERT_TRUE(ptxw::writeBytes(path("root/Ads/broken.ptx"), ptxw::Bytes(300, 0x5a)));
}

std::vector<std::string> ArchiveFixture::names(const std::vector<kestrix::archive::SessionHit> &hits)
{
    std::vector<std::string> out;
    for (const auto &hit : hits)
        out.push_back(hit.sessionName);
    return out;
}

std::optional<std::string> sqliteValue(const std::string &database, const std::string &sql)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *stmt = nullptr;
    std::optional<std::string> value;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
        const int step = sqlite3_step(stmt);
        if (step == SQLITE_ROW && sqlite3_column_text(stmt, 0))
            value = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
        else if (step == SQLITE_ROW || step == SQLITE_DONE)
            value = "";
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

} // namespace archive_test
