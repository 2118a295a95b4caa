// "[PTSL] ..." diagnostic lines, formatted printf-style.
#ifndef KESTRIX_PTSL_PTSL_LOG_H
#define KESTRIX_PTSL_PTSL_LOG_H

namespace kestrix {

void ptslLog(const char *format, ...) __attribute__((format(printf, 1, 2)));

} // namespace kestrix

#endif
