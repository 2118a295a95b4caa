#include "sim_service.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace kestrix::sim {

namespace {

constexpr int32_t kRegisterConnection = 70;
constexpr int32_t kStatusCompleted = 3;
constexpr int32_t kStatusFailed = 4;
// How often a hanging call looks whether its caller has given up.
constexpr std::chrono::milliseconds kCancelPoll{20};

} // namespace

SimService::SimService(const SimOptions &options) : options_(options), proTools_(options)
{
    if (!options.requestLogPath.empty())
        requestLog_.open(options.requestLogPath, std::ios::app);
}

void SimService::stop()
{
    const std::lock_guard lock(stopMutex_);
    stopping_ = true;
    stopped_.notify_all();
}

bool SimService::waitFor(grpc::ServerContext &context, const CommandScript &script)
{
    using clock = std::chrono::steady_clock;
    const auto until = script.hang ? clock::time_point::max() : clock::now() + script.delay;
    std::unique_lock lock(stopMutex_);
    while (!stopping_ && !context.IsCancelled() && clock::now() < until)
        stopped_.wait_for(lock, std::min<clock::duration>(kCancelPoll, until - clock::now()));
    return !stopping_ && !context.IsCancelled() && !script.hang;
}

grpc::Status SimService::SendGrpcRequest(grpc::ServerContext *context, const ::ptsl::Request *request,
                                         ::ptsl::Response *response)
{
    logRequest(*request);
    const int32_t command = request->header().command();
    const auto scripted = options_.scripts.find(command);
    const CommandScript script = scripted == options_.scripts.end() ? CommandScript{} : scripted->second;
    if (!waitFor(*context, script))
        return grpc::Status(grpc::StatusCode::CANCELLED, "the call was given up");

    const SimAnswer result = answer(command, *request, script);
    ::ptsl::ResponseHeader &header = *response->mutable_header();
    header.set_task_id(request->header().task_id());
    header.set_command(request->header().command());
    header.set_status(static_cast<::ptsl::TaskStatus>(result.ok ? kStatusCompleted : kStatusFailed));
    header.set_progress(100);
    header.set_version(options_.version.major);
    header.set_version_minor(options_.version.minor);
    header.set_version_revision(options_.version.revision);
    response->set_response_body_json(result.ok ? result.body : std::string());
    response->set_response_error_json(result.ok ? std::string() : result.errorJson);
    return grpc::Status::OK;
}

SimAnswer SimService::answer(int32_t command, const ::ptsl::Request &request, const CommandScript &script)
{
    if (script.errorJson)
        return SimAnswer{false, {}, *script.errorJson};
    const std::lock_guard lock(stateMutex_);
    if (command == kRegisterConnection)
        return registerConnection();
    if (!sessionIds_.count(request.header().session_id()))
        return failureAnswer("PT_NotRegistered", "RegisterConnection first, then send its session_id");
    if (script.answerBody)
        return SimAnswer{true, *script.answerBody, {}};
    const SimAnswer result = proTools_.handle(command, request.request_body_json());
    writeStateFile();
    return result;
}

// Caller holds stateMutex_.
SimAnswer SimService::registerConnection()
{
    const std::string sessionId = "sim-session-" + std::to_string(++registrations_);
    sessionIds_.insert(sessionId);
    return SimAnswer{true, "{\"session_id\":\"" + sessionId + "\"}", {}};
}

void SimService::logRequest(const ::ptsl::Request &request)
{
    const std::lock_guard lock(logMutex_);
    if (!requestLog_.is_open())
        return;
    const ::ptsl::RequestHeader &header = request.header();
    requestLog_ << header.command() << " session_id=" << header.session_id() << " version=" << header.version()
                << "." << header.version_minor() << "." << header.version_revision()
                << " body=" << request.request_body_json() << "\n"
                << std::flush;
}

// Caller holds stateMutex_. Written beside and renamed, so a reader never
// sees half a file.
void SimService::writeStateFile()
{
    if (options_.stateFilePath.empty())
        return;
    const std::string partial = options_.stateFilePath + ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << proTools_.stateJson() << "\n";
    }
    std::error_code error;
    std::filesystem::rename(partial, options_.stateFilePath, error);
    if (error)
        std::fprintf(stderr, "ptsl-sim: cannot write %s: %s\n", options_.stateFilePath.c_str(),
                     error.message().c_str());
}

} // namespace kestrix::sim
