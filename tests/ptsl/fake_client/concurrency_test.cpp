// Several imports at once: threads connecting, running commands, opening
// and closing batches, and one of them dropping the connection now and
// then as a failed import does. Run under ThreadSanitizer as well.
#include "common/ptsl_text.h"
#include "fake_fixture.h"
#include "import_batch.h"
#include "ptsl.h"
#include "ptsl_command.h"

#include <atomic>
#include <regex>
#include <thread>
#include <vector>

namespace {

constexpr int kThreads = 6;
constexpr int kRounds = 40;

struct ThreadOutcome {
    int connectFailures = 0;
    std::string transcript;
};

void importLoop(int thread, const std::atomic<bool> &go, ThreadOutcome &outcome)
{
    while (!go)
        std::this_thread::yield();
    ptsl_transcript_begin();
    const std::string file = "/imports/" + std::to_string(thread) + ".wav";
    for (int round = 0; round < kRounds; ++round) {
        if (ptsl_connect() != 0)
            ++outcome.connectFailures;
        ptsl_transcript_note(("thread " + std::to_string(thread)).c_str());
        ptsl_run_command(123, "{\"thread\": " + std::to_string(thread) + "}");
        ptsl_begin_import_batch();
        kestrix::rememberBatchFileIds(file, {kestrix::ImportedFileId{"f-" + std::to_string(round), file}});
        kestrix::batchFileIds(file);
        ptsl_end_import_batch();
        if (thread == 0 && round % 4 == 0)
            kestrix::dropConnection();
    }
    outcome.transcript = endTranscript().value_or("");
}

} // namespace

TEST_F(FakeClientTest, ConcurrentImportsAreSafeAndKeepTheirTranscripts)
{
    std::atomic<bool> go{false};
    std::vector<ThreadOutcome> outcomes(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(importLoop, t, std::cref(go), std::ref(outcomes[t]));
    go = true;
    for (std::thread &thread : threads)
        thread.join();

    EXPECT_GT(fake::constructorsStarted(), 1) << "dropped connections were rebuilt";
    const std::regex anyThread("\"thread\": ([0-9]+)|thread ([0-9]+)");
    for (int t = 0; t < kThreads; ++t) {
        SCOPED_TRACE("thread " + std::to_string(t));
        const std::string &transcript = outcomes[t].transcript;
        EXPECT_EQ(outcomes[t].connectFailures, 0);
        EXPECT_NE(transcript.find("\n[" + std::to_string(kRounds) + "] CId_ImportAudioToClipList (id=123)"),
                  std::string::npos);
        EXPECT_EQ(transcript.find("\n[" + std::to_string(kRounds + 1) + "]"), std::string::npos);
        int mentions = 0;
        for (auto it = std::sregex_iterator(transcript.begin(), transcript.end(), anyThread);
             it != std::sregex_iterator(); ++it, ++mentions) {
            const std::string number = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
            ASSERT_EQ(number, std::to_string(t)) << "another thread's record in this transcript";
        }
        EXPECT_GE(mentions, 2 * kRounds);
    }
}
