// Which of the chosen files the players accept, with aliases resolved.
#ifndef KESTRIX_AUDIO_AUDIO_URLS_H
#define KESTRIX_AUDIO_AUDIO_URLS_H

#include <QString>
#include <QStringList>

namespace kestrix {

// Keeps, in order, the files whose extension (in any case) is wav, mp3,
// aac, m4a, aif or aiff, each alias resolved.
QStringList resolveAudioURLs(const QStringList &paths);

// A symbolic link stands for an alias: it is replaced by the file it leads
// to. A link that leads nowhere stays as it was given, so that opening it
// reports why it cannot be played.
QString resolveAlias(const QString &path);

} // namespace kestrix

#endif
