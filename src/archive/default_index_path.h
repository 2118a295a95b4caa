// Where the index lives unless the user names another database.
#ifndef KESTRIX_ARCHIVE_DEFAULT_INDEX_PATH_H
#define KESTRIX_ARCHIVE_DEFAULT_INDEX_PATH_H

#include <string>

namespace kestrix::archive {

// $XDG_DATA_HOME/kestrix/index.sqlite, or ~/.local/share/kestrix/index.sqlite
// when XDG_DATA_HOME is unset, empty or relative. Empty when neither variable
// gives a folder.
std::string defaultIndexPath();

// Creates the folder a database file goes in; false with `error` set when it cannot.
bool makeIndexFolder(const std::string &databasePath, std::string &error);

} // namespace kestrix::archive

#endif
