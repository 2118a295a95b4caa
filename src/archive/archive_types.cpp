#include "archive_types.h"

#include <array>

namespace kestrix::archive {

namespace {
constexpr std::array<std::string_view, kNameKindCount> kKindTexts = {"track",  "clip",   "file",
                                                                      "plugin", "marker", "comment"};
}

std::string_view nameKindText(NameKind kind) { return kKindTexts[size_t(kind)]; }

std::optional<NameKind> nameKindFromText(std::string_view text)
{
    for (size_t k = 0; k < kKindTexts.size(); ++k)
        if (kKindTexts[k] == text)
            return NameKind(k);
    return std::nullopt;
}

} // namespace kestrix::archive
