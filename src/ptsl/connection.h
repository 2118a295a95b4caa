// The process-wide PTSL connection behind ptsl_connect.
#ifndef KESTRIX_PTSL_CONNECTION_H
#define KESTRIX_PTSL_CONNECTION_H

#include "client/client.h"

#include <memory>
#include <mutex>

namespace kestrix {

// Guards the client, its registration and the import-batch cache.
// Recursive, so code that holds it may call ptsl_connect.
std::recursive_mutex &connectionMutex();

// The client that ptsl_connect left; null when there is none. Does not wait
// for a connect in progress. The caller's reference keeps the client alive
// even when the connection is dropped meanwhile.
std::shared_ptr<ptsl::Client> currentClient();

// Forgets the client, its registration and the import batch's file
// identifiers, so that the next ptsl_connect builds a new client. Used
// after an exception in an operation and when the connection is lost.
void dropConnection();

} // namespace kestrix

#endif
