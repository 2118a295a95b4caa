#include "heap_string.h"

#include <cstdlib>
#include <cstring>

namespace kestrix {

char *heapCopy(std::string_view text)
{
    char *copy = static_cast<char *>(std::malloc(text.size() + 1));
    if (!copy)
        return nullptr;
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

char *heapCopyUnlessEmpty(std::string_view text)
{
    return text.empty() ? nullptr : heapCopy(text);
}

} // namespace kestrix
