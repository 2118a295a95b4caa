// No exception crosses the flat interface: its functions run their bodies
// through noThrow, which logs an escaping exception and returns the
// fallback instead.
#ifndef KESTRIX_PTSL_NO_THROW_H
#define KESTRIX_PTSL_NO_THROW_H

namespace kestrix {

// Logs the exception being handled; call only inside a catch block.
void logUnexpectedException() noexcept;

template <typename Result, typename Body>
Result noThrow(Result fallback, Body &&body) noexcept
{
    try {
        return body();
    } catch (...) {
        logUnexpectedException();
    }
    return fallback;
}

template <typename Body>
void noThrow(Body &&body) noexcept
{
    try {
        body();
    } catch (...) {
        logUnexpectedException();
    }
}

} // namespace kestrix

#endif
