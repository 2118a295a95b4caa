// The texts a file or clip row shows: path rules, format and type.
#ifndef KESTRIX_VIEWS_OVERVIEW_ROW_TEXTS_H
#define KESTRIX_VIEWS_OVERVIEW_ROW_TEXTS_H

#include "overview_data.h"

#include <QString>
#include <QStringList>

namespace kestrix {

// A path as the lists show it: a path on a mounted volume ("/Volumes/Drive/a.wav")
// loses its "/Volumes" prefix.
QString displayPath(const std::string &path);

// What one audio file row (or channel of a row) shows.
struct FileFacts {
    QString fileName;
    QString formatText; // read from the file, else the session's type label
    QString typeLabel; // the session's type label ("WAV", "MXF")
    bool typeUnavailable = false;
    QString resolvedPath;
    bool offline = false;
    // The display path, "Offline", or "Not Available".
    QString pathText;
};

FileFacts fileFacts(const std::string &fileName, const OverviewData &data);

// A whole row: one file, or every channel of a multi-mono group.
struct RowFacts {
    QString name;
    FileFacts file; // the first channel's file
    QStringList channelSuffixes; // empty unless the row stands for several channels
    std::vector<FileFacts> channels;
    // One line per channel ("L  /Drive/Gtr.L.wav") for multi-mono rows.
    QString channelSummary() const;
    // What the path column shows for the whole row.
    QString pathText() const;
};

RowFacts audioFileRowFacts(const PTXAudioFileGroup &group, const OverviewData &data);
// A clip group's source files, one per channel.
RowFacts clipRowFacts(const PTXClipGroup &group, const OverviewData &data);

} // namespace kestrix

#endif
