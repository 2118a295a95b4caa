// The client of a build without gRPC (a sanitizer build, say): every
// connection fails with a clear reason, so the application around it runs
// and says why Pro Tools cannot be reached.
#include "client.h"

#include <stdexcept>

namespace kestrix::ptsl {

std::unique_ptr<Client> constructClient(const ClientConfig &)
{
    throw std::runtime_error("this build of Kestrix has no PTSL client");
}

} // namespace kestrix::ptsl
