// Where Pro Tools is and how long the connection logic waits for it.
#ifndef KESTRIX_PTSL_PTSL_SETTINGS_H
#define KESTRIX_PTSL_PTSL_SETTINGS_H

#include <chrono>
#include <string>

namespace kestrix::ptsl {

// "localhost:31416", where Pro Tools serves PTSL, unless set otherwise.
std::string serverAddress();
// Where later connections look for Pro Tools ("host:port").
void setServerAddress(std::string address);
// How long ptsl_connect waits for the client constructor: 10 seconds.
std::chrono::milliseconds clientConstructionWait();
// How long a command may take before it is given up: 30 seconds.
std::chrono::milliseconds commandDeadline();

} // namespace kestrix::ptsl

#endif
