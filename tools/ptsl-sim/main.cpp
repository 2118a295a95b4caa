// ptsl-sim: a loopback PTSL server that plays Pro Tools (see --help).
#include "sim_options.h"
#include "sim_service.h"

#include <grpcpp/grpcpp.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char **argv)
{
    using namespace kestrix::sim;
    const ParsedOptions parsed = parseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(simUsage(), stdout);
        return 0;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "ptsl-sim: %s\n\n%s", parsed.error.c_str(), simUsage());
        return 2;
    }
    const SimOptions &options = *parsed.options;

    // Blocked before gRPC starts its threads, so that only sigwait below
    // receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SimService service(options);
    grpc::ServerBuilder builder;
    int port = 0;
    builder.AddListeningPort("127.0.0.1:" + std::to_string(options.port), grpc::InsecureServerCredentials(), &port);
    builder.RegisterService(&service);
    const std::unique_ptr<grpc::Server> server = builder.BuildAndStart();
    if (!server || port == 0) {
        std::fprintf(stderr, "ptsl-sim: cannot listen on 127.0.0.1:%d\n", options.port);
        return 1;
    }
    std::printf("ptsl-sim listening on 127.0.0.1:%d\n", port);
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    service.stop();
    server->Shutdown(std::chrono::system_clock::now() + std::chrono::seconds(1));
    return 0;
}
