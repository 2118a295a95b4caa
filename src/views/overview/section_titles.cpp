#include "section_titles.h"

namespace kestrix {

QString countSuffix(size_t shown, size_t total)
{
    if (shown == total)
        return QStringLiteral(" (%1)").arg(total);
    return QStringLiteral(" (%1 of %2)").arg(shown).arg(total);
}

QString pluginsTitle(size_t active, size_t inactive)
{
    return QStringLiteral("Plugins (%1 active, %2 inactive)").arg(active).arg(inactive);
}

QString countedTitle(const QString &name, size_t count)
{
    return name + QStringLiteral(" (%1)").arg(count);
}

} // namespace kestrix
