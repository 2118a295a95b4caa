#include "command_line_files.h"

#include "native_path.h"

#include <QDir>
#include <QFile>

#ifndef Q_OS_WIN
#include <cerrno>
#include <vector>

#include <unistd.h>
#endif

namespace kestrix {

namespace {

QStringList absolutePaths(const QStringList &files, const QByteArray &currentFolder)
{
    QStringList paths;
    for (const QString &file : files)
        paths.append(QDir::cleanPath(QDir(QFile::decodeName(currentFolder)).absoluteFilePath(file)));
    return paths;
}

} // namespace

QStringList sessionFilesFromArguments(const QList<QByteArray> &arguments, const QStringList &positional,
                                      const QByteArray &currentFolder)
{
#ifdef Q_OS_WIN
    // Arguments reach Qt there as UTF-16, losing nothing.
    Q_UNUSED(arguments);
    return absolutePaths(positional, currentFolder);
#else
    // The options Kestrix knows take no value, so every argument that does
    // not start with "-", and every one after "--", is a file.
    QList<QByteArray> files;
    bool optionsEnded = false;
    for (const QByteArray &argument : arguments) {
        if (!optionsEnded && argument == "--")
            optionsEnded = true;
        else if (optionsEnded || !argument.startsWith('-') || argument == "-")
            files.append(argument);
    }
    // Should the parser have seen it otherwise, its reading wins.
    if (files.size() != positional.size())
        return absolutePaths(positional, currentFolder);
    QStringList paths;
    for (const QByteArray &file : files) {
        const QByteArray absolute = file.startsWith('/') ? file : currentFolder + '/' + file;
        paths.append(QDir::cleanPath(pathFromNativeBytes(absolute)));
    }
    return paths;
#endif
}

QByteArray currentFolderBytes()
{
#ifdef Q_OS_WIN
    return QFile::encodeName(QDir::currentPath());
#else
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20))
            return QFile::encodeName(QDir::currentPath());
        buffer.resize(buffer.size() * 2);
    }
    return QByteArray(buffer.data());
#endif
}

} // namespace kestrix
