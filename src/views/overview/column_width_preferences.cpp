#include "column_width_preferences.h"

#include <QSettings>

#include <algorithm>

namespace kestrix {

namespace {

struct ColumnSpec {
    const char *key;
    double defaultWidth;
    double minimum;
    double maximum;
};

constexpr std::array<ColumnSpec, 3> kColumns{{
    {"ptx.column.audioFiles.nameWidth", 200, 80, 800},
    {"ptx.column.clips.nameWidth", 250, 80, 800},
    {"ptx.column.tracks.nameWidth", 96, 60, 800},
}};

const ColumnSpec &specOf(NameColumn column)
{
    return kColumns[size_t(column)];
}

} // namespace

ColumnWidthPreferences &ColumnWidthPreferences::shared()
{
    static ColumnWidthPreferences *instance = new ColumnWidthPreferences;
    return *instance;
}

ColumnWidthPreferences::ColumnWidthPreferences()
{
    const QSettings settings;
    for (NameColumn column : {NameColumn::audioFiles, NameColumn::clips, NameColumn::tracks}) {
        const ColumnSpec &spec = specOf(column);
        bool ok = false;
        const double stored = settings.value(QLatin1String(spec.key)).toDouble(&ok);
        // A stored value from elsewhere may lie outside the range the handle allows.
        widths_[index(column)] = ok ? std::clamp(stored, spec.minimum, spec.maximum) : spec.defaultWidth;
    }
}

void ColumnWidthPreferences::setWidth(NameColumn column, double width)
{
    const ColumnSpec &spec = specOf(column);
    const double clamped = std::clamp(width, spec.minimum, spec.maximum);
    if (clamped == widths_[index(column)])
        return;
    widths_[index(column)] = clamped;
    QSettings().setValue(QLatin1String(spec.key), clamped);
    emit widthChanged(column, clamped);
}

} // namespace kestrix
