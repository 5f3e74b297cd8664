#pragma once

#include "memorystore.h"

#include <mutex>

namespace kestrune::test {

// MemoryStore behind a lock, so a test may read flags while the client's
// threads write them.
class LockedStore final : public KeyValueStore
{
public:
    bool contains(const std::string &k) const override
    {
        std::lock_guard l(m);
        return s.contains(k);
    }
    std::optional<std::int64_t> integer(const std::string &k) const override
    {
        std::lock_guard l(m);
        return s.integer(k);
    }
    std::optional<std::string> string(const std::string &k) const override
    {
        std::lock_guard l(m);
        return s.string(k);
    }
    std::optional<bool> boolean(const std::string &k) const override
    {
        std::lock_guard l(m);
        return s.boolean(k);
    }
    std::vector<std::string> keys() const override
    {
        std::lock_guard l(m);
        return s.keys();
    }
    void setInteger(const std::string &k, std::int64_t v) override
    {
        std::lock_guard l(m);
        s.setInteger(k, v);
    }
    void setString(const std::string &k, const std::string &v) override
    {
        std::lock_guard l(m);
        s.setString(k, v);
    }
    void setBoolean(const std::string &k, bool v) override
    {
        std::lock_guard l(m);
        s.setBoolean(k, v);
    }
    void remove(const std::string &k) override
    {
        std::lock_guard l(m);
        s.remove(k);
    }
    bool synchronize() override
    {
        std::lock_guard l(m);
        return s.synchronize();
    }

private:
    mutable std::mutex m;
    MemoryStore s;
};

} // namespace kestrune::test
