#include "connection.h"
#include "ptsl.h"
#include "ptsl_command.h"
#include "ptsl_json.h"
#include "ptsl_log.h"
#include "ptsl_settings.h"
#include "transcript.h"

#include <chrono>
#include <exception>
#include <future>

namespace kestrix {

namespace {

// The text stays as users know it even when a test shortens the deadline.
constexpr const char *kTimedOutText = "Command timed out after 30 seconds";
constexpr const char *kNotConnectedText = "Not connected to Pro Tools";

CommandResult failure(int32_t command, std::string error)
{
    ptslLog("Command %d failed: %s", static_cast<int>(command), error.c_str());
    return CommandResult{{}, std::move(error), false};
}

CommandResult sendAndWait(ptsl::Client &client, int32_t command, std::string_view body)
{
    std::future<ptsl::Response> answer = client.SendRequest(ptsl::Request(command, std::string(body)), {});
    const auto sent = std::chrono::steady_clock::now();
    if (answer.wait_until(sent + ptsl::commandDeadline()) == std::future_status::timeout) {
        // The pending answer is abandoned; the command is not retried.
        ptslLog("Command %d timed out", static_cast<int>(command));
        return CommandResult{{}, kTimedOutText, false};
    }
    const ptsl::Response response = answer.get();
    if (response.GetStatus() == ptsl::kStatusCompleted)
        return CommandResult{response.GetResponseBodyJson(), {}, true};
    return failure(command, response.GetResponseErrorJson());
}

// The answer says the connection is gone. Sending the command again on a
// new connection is safe only when it was certainly not run.
enum class LostConnection { no, dropOnly, resend };

LostConnection lostConnection(const CommandResult &result)
{
    if (result.ok)
        return LostConnection::no;
    const std::string type = jsonStringValue(result.error, "command_error_type");
    if (type == ptsl::kErrorServerUnavailable || type == ptsl::kErrorNotRegistered)
        return LostConnection::resend;
    return type == ptsl::kErrorTransport ? LostConnection::dropOnly : LostConnection::no;
}

CommandResult runOnCurrentClient(int32_t command, std::string_view body)
{
    const std::shared_ptr<ptsl::Client> client = currentClient();
    if (!client)
        return failure(command, kNotConnectedText);
    // A client that throws is not trusted again: the next connect builds a
    // new one.
    try {
        return sendAndWait(*client, command, body);
    } catch (const std::exception &e) {
        dropConnection();
        return failure(command, e.what());
    } catch (...) {
        dropConnection();
        return failure(command, "unknown exception");
    }
}

long elapsedMilliseconds(std::chrono::steady_clock::time_point start)
{
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
    return static_cast<long>(nanoseconds / 1'000'000);
}

} // namespace

} // namespace kestrix

kestrix::CommandResult ptsl_run_command(int32_t command, std::string_view body)
{
    using namespace kestrix;
    try {
        const auto start = std::chrono::steady_clock::now();
        CommandResult result = runOnCurrentClient(command, body);
        // Pro Tools quit or restarted: the client and its registration are
        // stale. Drop them and, when the command was not run, connect and
        // register once more and send it again (once).
        const LostConnection lost = lostConnection(result);
        if (lost != LostConnection::no) {
            ptslLog("Connection lost; dropping the client");
            dropConnection();
            if (lost == LostConnection::resend && ptsl_connect() == 0)
                result = runOnCurrentClient(command, body);
        }
        transcriptRecordCommand(command, body, result, elapsedMilliseconds(start));
        return result;
    } catch (const std::exception &e) {
        // Out of memory while building the result or the record.
        return CommandResult{{}, e.what(), false};
    }
}
