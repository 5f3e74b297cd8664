#pragma once

#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace kestrune::test {

// The system's environment for a run of the real program, with HOME and the
// XDG config and data folders inside `home`, so that the player's own
// settings and data are never touched. The tests run the program offscreen;
// a display left in the environment would let the D-Bus library start a
// session bus through it, which then outlives the run.
inline QProcessEnvironment programEnvironment(const QTemporaryDir &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    return environment;
}

} // namespace kestrune::test
