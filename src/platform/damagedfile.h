#pragma once

#include <QString>

namespace kestrune {

// Keeps damaged files for whoever wants to look at them, without letting
// them pile up: "<file>.corrupt", then "<file>.corrupt-<milliseconds>", and
// only the newest few of those.
class DamagedFile
{
public:
    static constexpr int kept = 3;

    // Moves `fileName` aside under a name newer than every earlier copy.
    // The new name, or empty when the file could not be moved.
    static QString setAside(const QString &fileName);
    // Removes the oldest set-aside copies beyond `kept`; called once the
    // file's replacement is safely written.
    static void removeOldCopies(const QString &fileName);

    DamagedFile() = delete;
};

} // namespace kestrune
