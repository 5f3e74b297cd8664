#pragma once

#include "game/keyvaluestore.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace kestrune {

class SerialQueue;

// A user-defaults store whose writes reach the disk on a thread of its own,
// so that a shot that records statistics never waits for a file. It keeps
// what was written or read in memory and hands every change, in order, to
// the store it wraps, which only that thread touches.
//
// A typed read of a value written through this store answers for the type
// it was written with. synchronize() posts the write and returns false only
// while writing is known to fail (the wrapped store said why); flush() waits
// for the disk. The destructor flushes.
//
// Any thread. A first read of a key that is not yet known waits for the
// writer thread.
class BackgroundSyncStore final : public KeyValueStore
{
public:
    explicit BackgroundSyncStore(std::unique_ptr<KeyValueStore> store);
    ~BackgroundSyncStore() override;
    BackgroundSyncStore(const BackgroundSyncStore &) = delete;
    BackgroundSyncStore &operator=(const BackgroundSyncStore &) = delete;

    bool contains(const std::string &key) const override;
    std::optional<std::int64_t> integer(const std::string &key) const override;
    std::optional<std::string> string(const std::string &key) const override;
    std::optional<bool> boolean(const std::string &key) const override;

    void setInteger(const std::string &key, std::int64_t value) override;
    void setString(const std::string &key, const std::string &value) override;
    void setBoolean(const std::string &key, bool value) override;
    void remove(const std::string &key) override;

    bool synchronize() override;

    // Blocks until every change made so far has been synchronised; the
    // wrapped store's answer.
    bool flush();

private:
    struct Known
    {
        bool contains = false;
        std::optional<std::int64_t> integer;
        std::optional<std::string> string;
        std::optional<bool> boolean;
    };

    Known known(const std::string &key) const;
    void change(const std::string &key, Known value, std::function<void(KeyValueStore &)> apply);

    std::unique_ptr<KeyValueStore> m_store; // the writer thread's alone
    mutable std::mutex m_mutex;
    mutable std::map<std::string, Known> m_known;
    bool m_syncPosted = false;         // a write is posted after every change; under m_mutex
    std::atomic<bool> m_failing{false};
    std::unique_ptr<SerialQueue> m_writer;
};

} // namespace kestrune
