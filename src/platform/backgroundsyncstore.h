#pragma once

#include "game/keyvaluestore.h"
#include "savestatus.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kestrune {

class SerialQueue;

// A user-defaults store whose writes reach the disk on a thread of its own,
// so that a shot that records statistics never waits for a file. It reads
// everything the store it wraps holds once, when it is made, and answers
// every read from memory from then on; it hands every change, in order, to
// the wrapped store, which only that thread touches afterwards. Changes made
// to the wrapped store's file by anyone else are not seen.
//
// A typed read answers as the wrapped store answered when it was read, or,
// for a value written through this store, for the type it was written with.
// synchronize() posts the write and returns false only while writing is
// known to fail (the wrapped store said why); flush() waits for the disk.
// The destructor flushes. status() tells the GUI thread when writing starts
// failing and when it works again.
//
// Any thread. No read ever waits for the writer thread.
class BackgroundSyncStore final : public KeyValueStore
{
public:
    using Opener = std::function<std::unique_ptr<KeyValueStore>()>;

    // Opens the wrapped store on the writer thread, so that a store whose
    // objects belong to the thread that made them (QSettings) has them
    // there, and reads it; returns when both are done.
    explicit BackgroundSyncStore(const Opener &open);
    // A store made on the calling thread, read here and then handed to the
    // writer thread.
    explicit BackgroundSyncStore(std::unique_ptr<KeyValueStore> store);
    ~BackgroundSyncStore() override;
    BackgroundSyncStore(const BackgroundSyncStore &) = delete;
    BackgroundSyncStore &operator=(const BackgroundSyncStore &) = delete;

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
    bool setMany(const std::vector<Change> &changes) override;
    Failure lastFailure() const override { return m_failure.load(); }

    // Lives on the thread that made the store.
    SaveStatus &status() { return m_status; }

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

    using Apply = std::function<void(KeyValueStore &)>;

    static std::map<std::string, Known> readAll(const KeyValueStore &store);
    Known known(const std::string &key) const;
    void change(const std::string &key, Known value, Apply apply);
    void postWriteLocked();
    void write();

    std::unique_ptr<KeyValueStore> m_store; // the writer thread's alone
    mutable std::mutex m_mutex;
    std::map<std::string, Known> m_known; // every key, as readers see it; under m_mutex
    std::vector<Apply> m_pending;         // changes not yet handed over; under m_mutex
    bool m_writePosted = false;           // a write not yet started takes them; under m_mutex
    std::atomic<Failure> m_failure{Failure::none};
    Failure m_reported = Failure::none; // the writer thread's alone
    SaveStatus m_status;
    std::unique_ptr<SerialQueue> m_writer; // last: it goes first, with its thread
};

} // namespace kestrune
