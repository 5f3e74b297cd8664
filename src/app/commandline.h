#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kestrune {

// What the program was asked to do on its command line.
struct CommandLine
{
    QString dataFolder;         // empty: the per-user data folder
    QString device = "phone";   // "phone" or "tablet"
    QString quickAction;        // empty, "singleplayer" or "multiplayer"
    QString renderTo;           // a PNG file to render the first screen to, then exit
    bool uiTest = false;        // the launch argument "UITest"
    bool noGameService = false; // start without the game service
    bool checkNetworkModule = false; // load the HTTP module, say whether it loads, exit
    // Where the game service lives: empty as the settings say, "local" on
    // this computer, otherwise a server's address (normalised).
    QString service;
    // The language for this run: empty to follow the system, else one of
    // LanguageChoice::codes() ("en", "de", ..., "pseudo").
    QString language;

    // Parses the arguments (the first is the program). On --help or
    // --version, prints and sets exitCode 0; on a bad option, prints a clear
    // error with the usage and sets exitCode 2. Needs no application object,
    // so that it can run before anything opens a display.
    static CommandLine parse(const QStringList &arguments, std::optional<int> &exitCode);
    // The process arguments as the application object would decode them.
    static QStringList arguments(int argc, char **argv);
};

} // namespace kestrune
