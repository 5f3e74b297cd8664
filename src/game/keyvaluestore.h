#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kestrune {

// The persistent user-defaults store: plain string keys with integer, string
// or boolean values. A typed read gives nothing when the key is absent or its
// value is not of that type (a corrupt value counts as absent). Writes are
// kept in memory until synchronize(), which makes them durable.
//
// Figures that belong together (one ended game's counts, sums and history)
// go in one batch through setMany(), so that the disk holds all of them or
// none: a kill or a full disk between two keys cannot leave them disagreeing.
class KeyValueStore
{
public:
    // One change of a batch: the value to set, or none to remove the key.
    struct Change
    {
        std::string key;
        std::variant<std::monostate, std::int64_t, std::string, bool> value;
    };

    // Why the last synchronize() failed: a full disk (or a file grown past
    // what the system allows) is worth telling the player in those words.
    enum class Failure { none, diskFull, other };

    virtual ~KeyValueStore() = default;

    virtual bool contains(const std::string &key) const = 0;
    virtual std::optional<std::int64_t> integer(const std::string &key) const = 0;
    virtual std::optional<std::string> string(const std::string &key) const = 0;
    virtual std::optional<bool> boolean(const std::string &key) const = 0;
    // Every key the store holds, in no particular order.
    virtual std::vector<std::string> keys() const = 0;

    virtual void setInteger(const std::string &key, std::int64_t value) = 0;
    virtual void setString(const std::string &key, const std::string &value) = 0;
    virtual void setBoolean(const std::string &key, bool value) = 0;
    virtual void remove(const std::string &key) = 0;

    // Writes everything to disk; false (after reporting why) when that failed.
    virtual bool synchronize() = 0;

    // Makes every change of the batch and synchronises them in one write.
    // This default is whole for stores whose synchronize() replaces their
    // whole file at once; a store that writes behind must not let another
    // synchronisation fall between two of the changes.
    virtual bool setMany(const std::vector<Change> &changes)
    {
        apply(changes);
        return synchronize();
    }

    // Makes every change of the batch in memory, without synchronising.
    void apply(const std::vector<Change> &changes)
    {
        for (const Change &change : changes) {
            if (const auto *i = std::get_if<std::int64_t>(&change.value))
                setInteger(change.key, *i);
            else if (const auto *s = std::get_if<std::string>(&change.value))
                setString(change.key, *s);
            else if (const auto *b = std::get_if<bool>(&change.value))
                setBoolean(change.key, *b);
            else
                remove(change.key);
        }
    }

    // Why the last synchronize() failed; none after a good one.
    virtual Failure lastFailure() const { return Failure::none; }
};

} // namespace kestrune
