#pragma once

#include "game/keyvaluestore.h"

#include <QSettings>
#include <QString>

#include <functional>
#include <memory>

namespace kestrune {

// The user-defaults store on QSettings, in the INI text of SettingsFormat.
// Values keep their type in memory; on disk only their text is kept, so a
// typed read also accepts the text form of its type ("42" for an integer,
// "true" for a boolean). Anything else reads as absent and is replaced by the
// next write. A write that fails keeps the previous file, is reported by
// synchronize() and warned about once until a write succeeds again; a
// lock file that names no owner never holds a write up.
//
// The thread that made it, alone: QSettings asks that thread's event loop
// for a write after each change, so a store written from elsewhere would
// have its file written on the maker's thread. synchronize() withdraws the
// request, having written; no event loop is needed.
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
    std::vector<std::string> keys() const override;

    void setInteger(const std::string &key, std::int64_t value) override;
    void setString(const std::string &key, const std::string &value) override;
    void setBoolean(const std::string &key, bool value) override;
    void remove(const std::string &key) override;

    bool synchronize() override;
    Failure lastFailure() const override { return m_failure; }

    QString fileName() const;
    // Why the last synchronize() failed; empty after a good one.
    QString lastError() const { return m_lastError; }

private:
    using Factory = std::function<std::unique_ptr<QSettings>()>;

    explicit SettingsStore(Factory factory);
    void removeDeadLock();
    void startOver();
    Failure failureOfWrite() const;

    Factory m_factory;
    std::unique_ptr<QSettings> m_settings;
    QString m_lastError;
    Failure m_failure = Failure::none;
};

} // namespace kestrune
