#include "backgroundsyncstore.h"

#include "dispatch/serialqueue.h"

#include <future>

namespace kestrune {

BackgroundSyncStore::BackgroundSyncStore(std::unique_ptr<KeyValueStore> store)
    : m_store(std::move(store))
    , m_writer(std::make_unique<SerialQueue>(QStringLiteral("org.kestrune.Kestrune.settings")))
{
}

BackgroundSyncStore::~BackgroundSyncStore()
{
    flush();
}

BackgroundSyncStore::Known BackgroundSyncStore::known(const std::string &key) const
{
    {
        std::lock_guard lock(m_mutex);
        if (auto it = m_known.find(key); it != m_known.end())
            return it->second;
    }
    // Asked on the writer thread, behind every change posted so far.
    std::promise<Known> answer;
    m_writer->async([&] {
        answer.set_value(Known{m_store->contains(key), m_store->integer(key), m_store->string(key),
                               m_store->boolean(key)});
    });
    const Known value = answer.get_future().get();
    std::lock_guard lock(m_mutex);
    // A change made meanwhile on another thread is newer than this answer.
    return m_known.try_emplace(key, value).first->second;
}

bool BackgroundSyncStore::contains(const std::string &key) const
{
    return known(key).contains;
}

std::optional<std::int64_t> BackgroundSyncStore::integer(const std::string &key) const
{
    return known(key).integer;
}

std::optional<std::string> BackgroundSyncStore::string(const std::string &key) const
{
    return known(key).string;
}

std::optional<bool> BackgroundSyncStore::boolean(const std::string &key) const
{
    return known(key).boolean;
}

void BackgroundSyncStore::change(const std::string &key, Known value, std::function<void(KeyValueStore &)> apply)
{
    // Memory and queue change under one lock, so the writer applies changes
    // in the order readers saw them.
    std::lock_guard lock(m_mutex);
    m_known[key] = std::move(value);
    m_writer->async([this, apply = std::move(apply)] { apply(*m_store); });
    m_syncPosted = false; // a write posted earlier runs before this change
}

void BackgroundSyncStore::setInteger(const std::string &key, std::int64_t value)
{
    change(key, Known{true, value, std::nullopt, std::nullopt},
           [key, value](KeyValueStore &s) { s.setInteger(key, value); });
}

void BackgroundSyncStore::setString(const std::string &key, const std::string &value)
{
    change(key, Known{true, std::nullopt, value, std::nullopt},
           [key, value](KeyValueStore &s) { s.setString(key, value); });
}

void BackgroundSyncStore::setBoolean(const std::string &key, bool value)
{
    change(key, Known{true, std::nullopt, std::nullopt, value},
           [key, value](KeyValueStore &s) { s.setBoolean(key, value); });
}

void BackgroundSyncStore::remove(const std::string &key)
{
    change(key, Known{}, [key](KeyValueStore &s) { s.remove(key); });
}

bool BackgroundSyncStore::synchronize()
{
    std::lock_guard lock(m_mutex);
    // A write already posted after the last change takes it too.
    if (!m_syncPosted) {
        m_syncPosted = true;
        m_writer->async([this] {
            {
                std::lock_guard lock(m_mutex);
                m_syncPosted = false;
            }
            m_failing = !m_store->synchronize();
        });
    }
    return !m_failing.load();
}

bool BackgroundSyncStore::flush()
{
    synchronize();
    m_writer->waitForIdle();
    return !m_failing.load();
}

} // namespace kestrune
