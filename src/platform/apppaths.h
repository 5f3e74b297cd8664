#pragma once

#include <QString>

namespace kestrune {

// Where the application keeps its files: the per-user data folder, unless the
// command line (or a test) chose another. Set it before anything reads it.
class AppPaths
{
public:
    static QString dataFolder();
    static void setDataFolder(const QString &folder);
    // Whether a data folder was chosen; then the settings live in it too.
    static bool isDataFolderOverridden();

    // The data folder, created if missing; empty (after a warning) when it
    // cannot be created.
    static QString ensureDataFolder();

    AppPaths() = delete;
};

} // namespace kestrune
