// The import-batch cache: nesting, and emptied when the outer batch ends.
#include "fake_fixture.h"
#include "import_batch.h"
#include "ptsl.h"

using kestrix::batchFileIds;
using kestrix::ImportedFileId;
using kestrix::rememberBatchFileIds;

namespace {

std::vector<ImportedFileId> ids(const char *id)
{
    return {ImportedFileId{id, std::string("/Audio Files/") + id + ".wav"}};
}

} // namespace

TEST_F(FakeClientTest, BatchCacheLivesFromTheFirstBeginToTheLastEnd)
{
    rememberBatchFileIds("/a.wav", ids("f-0"));
    EXPECT_FALSE(batchFileIds("/a.wav")) << "nothing is stored outside a batch";

    ptsl_begin_import_batch();
    rememberBatchFileIds("/a.wav", ids("f-1"));
    ptsl_begin_import_batch();
    EXPECT_EQ(batchFileIds("/a.wav").value_or(ids("none"))[0].fileId, "f-1") << "a nested batch keeps the cache";
    rememberBatchFileIds("/a.wav", ids("f-2"));
    ptsl_end_import_batch();
    const auto kept = batchFileIds("/a.wav");
    ASSERT_TRUE(kept);
    EXPECT_EQ((*kept)[0].fileId, "f-2");
    EXPECT_EQ((*kept)[0].filePath, "/Audio Files/f-2.wav");
    EXPECT_FALSE(batchFileIds("/b.wav"));
    ptsl_end_import_batch();
    EXPECT_FALSE(batchFileIds("/a.wav"));

    ptsl_end_import_batch();  // one end too many does not go below zero
    ptsl_begin_import_batch();
    EXPECT_FALSE(batchFileIds("/a.wav")) << "a new batch starts empty";
    rememberBatchFileIds("/a.wav", ids("f-3"));
    EXPECT_TRUE(batchFileIds("/a.wav"));
    ptsl_end_import_batch();
    EXPECT_FALSE(batchFileIds("/a.wav"));
}
