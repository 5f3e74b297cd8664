#pragma once

#include "gameservice/server/store/scope.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace kestrune::server {

// The serialized answers of anonymous top-N reads, so that most reads are a
// lookup. An answer is kept with the write counts it was read under and is
// served only while they are unchanged: a write bumps its board's count
// after it committed and before it is acknowledged, so no answer read
// before that write is served after it. Counts live in this process only:
// use it only when no other process writes to the database. Thread-safe.
class TopCache
{
public:
    struct Key
    {
        std::string leaderboard;
        Scope scope = Scope::AllTime;
        std::int64_t period = 0; // periodOf(scope, now): a new day or week is a new key
        int limit = 0;
    };
    // The write counts an answer is read under; take it before reading.
    struct Stamp
    {
        std::uint64_t all = 0;
        std::uint64_t board = 0;
        bool operator==(const Stamp &) const = default;
    };

    Stamp stamp(const std::string &leaderboard) const;
    // Null unless an answer is stored under the current stamp.
    std::shared_ptr<const std::string> find(const Key &key) const;
    // Keeps `body` unless a write came after `stamp` was taken.
    void put(const Key &key, Stamp stamp, std::string body);

    // After a write to one board committed.
    void boardChanged(const std::string &leaderboard);
    // After a write that may show on every board (a rename) committed.
    void allChanged();

    std::size_t size() const;

private:
    struct Entry
    {
        Stamp stamp;
        std::shared_ptr<const std::string> body;
    };
    static std::string keyText(const Key &key);
    Stamp stampLocked(const std::string &leaderboard) const;

    mutable std::mutex m_mutex;
    std::uint64_t m_all = 0;
    std::unordered_map<std::string, std::uint64_t> m_boards;
    std::unordered_map<std::string, Entry> m_entries;
};

} // namespace kestrune::server
