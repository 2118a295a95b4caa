#ifndef KESTRIX_INSPECT_READER_JSON_H
#define KESTRIX_INSPECT_READER_JSON_H

#include "ptx_reader.h"

#include <cstdio>

// Writes every value of the reader interface as one JSON object.
void write_reader_json(const ptx_session *s, std::FILE *out);

#endif
