#pragma once

#include "game/keyvaluestore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace kestrune {

// The user-defaults store on QSettings (native format). Values keep their
// type in memory; on disk the native format may keep only text, so a typed
// read also accepts the text form of its type ("42" for an integer, "true"
// for a boolean). Anything else reads as absent and is replaced by the next
// write. GUI thread, or one thread at a time.
class SettingsStore final : public KeyValueStore
{
public:
    // The application's own settings: the per-user settings of the
    // QCoreApplication's organisation and name or, when a data folder was
    // chosen (AppPaths), "settings.conf" in that folder.
    SettingsStore();
    // A settings file of its own, e.g. in a test's temporary folder.
    explicit SettingsStore(const QString &fileName);

    bool contains(const std::string &key) const override;
    std::optional<std::int64_t> integer(const std::string &key) const override;
    std::optional<std::string> string(const std::string &key) const override;
    std::optional<bool> boolean(const std::string &key) const override;

    void setInteger(const std::string &key, std::int64_t value) override;
    void setString(const std::string &key, const std::string &value) override;
    void setBoolean(const std::string &key, bool value) override;
    void remove(const std::string &key) override;

    bool synchronize() override;

    QString fileName() const;
    // Why the last synchronize() failed; empty after a good one.
    QString lastError() const { return m_lastError; }

private:
    std::unique_ptr<QSettings> m_settings;
    QString m_lastError;
};

} // namespace kestrune
