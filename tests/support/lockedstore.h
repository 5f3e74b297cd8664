#pragma once

#include "memorystore.h"

#include <mutex>

namespace kestrune::test {

// MemoryStore behind a lock, so a test may read while other threads write.
class LockedStore : public KeyValueStore
{
public:
    bool contains(const std::string &k) const override { return locked()->contains(k); }
    std::optional<std::int64_t> integer(const std::string &k) const override { return locked()->integer(k); }
    std::optional<std::string> string(const std::string &k) const override { return locked()->string(k); }
    std::optional<bool> boolean(const std::string &k) const override { return locked()->boolean(k); }
    std::vector<std::string> keys() const override { return locked()->keys(); }
    void setInteger(const std::string &k, std::int64_t v) override { locked()->setInteger(k, v); }
    void setString(const std::string &k, const std::string &v) override { locked()->setString(k, v); }
    void setBoolean(const std::string &k, bool v) override { locked()->setBoolean(k, v); }
    void remove(const std::string &k) override { locked()->remove(k); }
    bool synchronize() override { return locked()->synchronize(); }

protected:
    // The store, locked for as long as this lives: to the end of the
    // expression that uses it, or of the scope that keeps it.
    template<typename Store> struct Locked
    {
        std::unique_lock<std::mutex> lock;
        Store &store;
        Store *operator->() const { return &store; }
    };
    Locked<const MemoryStore> locked() const { return {std::unique_lock(m_mutex), m_store}; }
    Locked<MemoryStore> locked() { return {std::unique_lock(m_mutex), m_store}; }

private:
    mutable std::mutex m_mutex;
    MemoryStore m_store;
};

} // namespace kestrune::test
