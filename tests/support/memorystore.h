#pragma once

#include "game/keyvaluestore.h"

#include <map>
#include <variant>

namespace kestrune::test {

// A user-defaults store in memory that keeps each value's type, and counts
// synchronisations so tests can check that every write was made durable.
class MemoryStore final : public KeyValueStore
{
public:
    using Value = std::variant<std::int64_t, std::string, bool, double>;

    bool contains(const std::string &key) const override { return m_values.count(key) != 0; }
    std::optional<std::int64_t> integer(const std::string &key) const override { return get<std::int64_t>(key); }
    std::optional<std::string> string(const std::string &key) const override { return get<std::string>(key); }
    std::optional<bool> boolean(const std::string &key) const override { return get<bool>(key); }
    std::vector<std::string> keys() const override
    {
        std::vector<std::string> all;
        for (const auto &entry : m_values)
            all.push_back(entry.first);
        return all;
    }

    void setInteger(const std::string &key, std::int64_t value) override { write(key, value); }
    void setString(const std::string &key, const std::string &value) override { write(key, value); }
    void setBoolean(const std::string &key, bool value) override { write(key, value); }
    void remove(const std::string &key) override
    {
        m_values.erase(key);
        ++m_unsynced;
    }
    bool synchronize() override
    {
        m_unsynced = 0;
        ++m_syncs;
        return true;
    }

    // For planting values of any type, as a corrupt or foreign writer would.
    void plant(const std::string &key, Value value) { m_values[key] = std::move(value); }

    int syncCount() const { return m_syncs; }
    // Writes not yet followed by synchronize().
    int unsyncedWrites() const { return m_unsynced; }

private:
    template<typename T> std::optional<T> get(const std::string &key) const
    {
        auto it = m_values.find(key);
        if (it == m_values.end())
            return std::nullopt;
        if (const T *v = std::get_if<T>(&it->second))
            return *v;
        return std::nullopt;
    }
    void write(const std::string &key, Value value)
    {
        m_values[key] = std::move(value);
        ++m_unsynced;
    }

    std::map<std::string, Value> m_values;
    int m_syncs = 0;
    int m_unsynced = 0;
};

} // namespace kestrune::test
