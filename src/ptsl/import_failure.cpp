#include "import_failure.h"

#include "heap_string.h"

#include <string>

namespace kestrix {

void formatImportFailure(char **errorOut, std::string_view step, std::string_view detail)
{
    if (!errorOut)
        return;
    std::string message = "Import failed at step: ";
    message.append(step).append("\n\n").append(detail);
    *errorOut = heapCopy(message);
}

} // namespace kestrix
