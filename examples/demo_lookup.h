// The demo's tables refer to each other by name; the session refers by index.
#ifndef KESTRIX_DEMO_LOOKUP_H
#define KESTRIX_DEMO_LOOKUP_H

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace demo {

// The index of the first item whose name() is `name`; a name that is not
// there is a mistake in the demo's tables and throws std::invalid_argument.
template <class Items, class NameOf>
uint32_t indexByName(const Items &items, std::string_view name, NameOf nameOf)
{
    uint32_t index = 0;
    for (const auto &item : items) {
        if (nameOf(item) == name)
            return index;
        ++index;
    }
    throw std::invalid_argument("the demo has nothing named \"" + std::string(name) + "\"");
}

} // namespace demo

#endif
