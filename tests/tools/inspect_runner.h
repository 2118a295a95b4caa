// Runs kestrix-inspect as a program for the tool tests.
#ifndef KESTRIX_TEST_INSPECT_RUNNER_H
#define KESTRIX_TEST_INSPECT_RUNNER_H

#include <string>

namespace inspecttest {

struct InspectRun {
    int status = -1;
    std::string out;
    std::string err;
};

// A path named `name` in a temporary folder of this test process.
std::string tempPath(const std::string &name);

// Runs kestrix-inspect with the arguments, keeping stdout and stderr apart.
InspectRun inspect(const std::string &args);
// Runs any program the same way.
InspectRun runProgram(const std::string &program, const std::string &args);

// The text in single quotes for the shell, a quote inside it escaped.
std::string shellQuoted(const std::string &text);

} // namespace inspecttest

#endif
