#ifndef KESTRIX_INSPECT_READER_SUMMARY_H
#define KESTRIX_INSPECT_READER_SUMMARY_H

#include "ptx_reader.h"

#include <string>

// A readable overview of a session: properties, then counts and lists.
std::string reader_summary(const ptx_session *s, const std::string &session_name);

#endif
