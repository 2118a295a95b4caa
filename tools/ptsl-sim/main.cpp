// ptsl-sim: a loopback PTSL server that plays Pro Tools (see --help).
#include "command_line.h"
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
    CLI::App app{"A loopback PTSL server that plays Pro Tools for tests and demos. It listens\n"
                 "on 127.0.0.1, prints \"ptsl-sim listening on 127.0.0.1:PORT\" on stdout when\n"
                 "ready, and runs until it gets SIGINT or SIGTERM. Answers are compact JSON.",
                 "ptsl-sim"};
    SimOptions options;
    addSimOptions(app, options, "ptsl-sim " KESTRIX_VERSION);
    if (const std::optional<int> status = kestrix::cli::parse(app, argc, argv))
        return *status;

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
