# Source lists of the PTSL core, shared by the main build and the
# ThreadSanitizer build, which links a fake client instead of gRPC.
set(KESTRIX_PTSL_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
# The JSON text helpers are a library of their own: the gRPC client needs
# them too, and the core must not depend on the client.
set(KESTRIX_PTSL_JSON_SOURCES ${KESTRIX_PTSL_SOURCE_DIR}/ptsl_json.cpp)
file(GLOB KESTRIX_PTSL_CORE_SOURCES CONFIGURE_DEPENDS ${KESTRIX_PTSL_SOURCE_DIR}/*.cpp)
list(REMOVE_ITEM KESTRIX_PTSL_CORE_SOURCES ${KESTRIX_PTSL_JSON_SOURCES})
