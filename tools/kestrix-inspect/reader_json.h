#ifndef KESTRIX_INSPECT_READER_JSON_H
#define KESTRIX_INSPECT_READER_JSON_H

#include "ptx_reader.h"

#include <string>

// Every value of the reader interface as one JSON object.
std::string reader_json(const ptx_session *s);

#endif
