#pragma once

#include "memorystore.h"

#include <mutex>

namespace kestrune::test {

// MemoryStore behind a lock, so a test may read while other threads write.
class LockedStore : public KeyValueStore
{
protected:
    template<typename F> auto locked(F f) const
    {
        std::lock_guard lock(m_mutex);
        return f(m_store);
    }
    template<typename F> auto locked(F f)
    {
        std::lock_guard lock(m_mutex);
        return f(m_store);
    }

public:
    bool contains(const std::string &k) const override
    {
        return locked([&](auto &s) { return s.contains(k); });
    }
    std::optional<std::int64_t> integer(const std::string &k) const override
    {
        return locked([&](auto &s) { return s.integer(k); });
    }
    std::optional<std::string> string(const std::string &k) const override
    {
        return locked([&](auto &s) { return s.string(k); });
    }
    std::optional<bool> boolean(const std::string &k) const override
    {
        return locked([&](auto &s) { return s.boolean(k); });
    }
    std::vector<std::string> keys() const override
    {
        return locked([](auto &s) { return s.keys(); });
    }
    void setInteger(const std::string &k, std::int64_t v) override
    {
        locked([&](auto &s) { s.setInteger(k, v); });
    }
    void setString(const std::string &k, const std::string &v) override
    {
        locked([&](auto &s) { s.setString(k, v); });
    }
    void setBoolean(const std::string &k, bool v) override
    {
        locked([&](auto &s) { s.setBoolean(k, v); });
    }
    void remove(const std::string &k) override
    {
        locked([&](auto &s) { s.remove(k); });
    }
    bool synchronize() override
    {
        return locked([](auto &s) { return s.synchronize(); });
    }

private:
    mutable std::mutex m_mutex;
    MemoryStore m_store;
};

} // namespace kestrune::test
