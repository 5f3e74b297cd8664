#pragma once

#include <QSettings>

class QIODevice;

namespace kestrune {

// The settings file's format: the INI text Qt writes for the values we store
// (64-bit integers, booleans and strings; keys percent-escaped, strings
// quoted and backslash-escaped where needed), so files written by Qt's own
// INI format read back unchanged. What it adds is a checked write: every
// byte must reach the file, or QSettings keeps the previous file and reports
// an AccessError (Qt's own writer lets a full disk replace the file with an
// empty one). Other value types are written as their text.
class SettingsFormat
{
public:
    // Registered once, with the extension "conf", so per-user settings keep
    // their file name.
    static QSettings::Format format();

    static bool read(QIODevice &device, QSettings::SettingsMap &map);
    static bool write(QIODevice &device, const QSettings::SettingsMap &map);

    // The system's error number for this thread's last write() that failed
    // (ENOSPC, EFBIG, ...); 0 after a good one or when none was known.
    static int lastWriteError();

    SettingsFormat() = delete;
};

} // namespace kestrune
