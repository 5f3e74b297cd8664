#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kestrune {

// The persistent user-defaults store: plain string keys with integer, string
// or boolean values. A typed read gives nothing when the key is absent or its
// value is not of that type (a corrupt value counts as absent). Writes are
// kept in memory until synchronize(), which makes them durable.
class KeyValueStore
{
public:
    virtual ~KeyValueStore() = default;

    virtual bool contains(const std::string &key) const = 0;
    virtual std::optional<std::int64_t> integer(const std::string &key) const = 0;
    virtual std::optional<std::string> string(const std::string &key) const = 0;
    virtual std::optional<bool> boolean(const std::string &key) const = 0;

    virtual void setInteger(const std::string &key, std::int64_t value) = 0;
    virtual void setString(const std::string &key, const std::string &value) = 0;
    virtual void setBoolean(const std::string &key, bool value) = 0;
    virtual void remove(const std::string &key) = 0;

    // Writes everything to disk; false (after reporting why) when that failed.
    virtual bool synchronize() = 0;
};

} // namespace kestrune
