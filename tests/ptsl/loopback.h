// A loopback port for the tests that need nobody on the other end.
#ifndef KESTRIX_TESTS_PTSL_LOOPBACK_H
#define KESTRIX_TESTS_PTSL_LOOPBACK_H

#include <string>

// "127.0.0.1:PORT" of a port that was free a moment ago.
std::string unusedLoopbackAddress();

#endif
