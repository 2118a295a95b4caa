#include "progress_line.h"

#include <unistd.h>

#include <string>

namespace kestrix::archive {

namespace {
constexpr int kBarWidth = 30;
constexpr auto kTerminalInterval = std::chrono::milliseconds(100);
constexpr auto kLineInterval = std::chrono::seconds(2);
} // namespace

ProgressLine::ProgressLine(std::FILE *out) : out_(out), terminal_(::isatty(::fileno(out)) == 1) {}

void ProgressLine::update(const IndexProgress &progress)
{
    const auto now = std::chrono::steady_clock::now();
    const bool last = progress.done == progress.total;
    if (!last && drawn_ && now - last_ < (terminal_ ? kTerminalInterval : kLineInterval))
        return;
    last_ = now;
    drawn_ = true;
    const size_t total = progress.total ? progress.total : 1;
    if (terminal_) {
        const int filled = int(progress.done * kBarWidth / total);
        std::fprintf(out_, "\r[%s%s] %zu/%zu", std::string(size_t(filled), '#').c_str(),
                     std::string(size_t(kBarWidth - filled), ' ').c_str(), progress.done, progress.total);
    } else {
        std::fprintf(out_, "read %zu of %zu session files\n", progress.done, progress.total);
    }
    std::fflush(out_);
}

void ProgressLine::finish()
{
    if (terminal_ && drawn_)
        std::fputc('\n', out_);
    drawn_ = false;
}

} // namespace kestrix::archive
