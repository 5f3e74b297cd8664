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

void BackgroundSyncStore::change(const std::string &key, Known value, Apply apply)
{
    // Memory and the waiting changes move under one lock, so the writer
    // applies changes in the order readers saw them.
    std::lock_guard lock(m_mutex);
    m_known[key] = std::move(value);
    m_pending.push_back(std::move(apply));
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
    postWriteLocked();
    return m_failure.load() == Failure::none;
}

bool BackgroundSyncStore::setMany(const std::vector<Change> &changes)
{
    // All of the batch joins the waiting changes under one lock, so one
    // write takes it whole.
    std::lock_guard lock(m_mutex);
    for (const Change &c : changes) {
        Known value;
        if (const auto *i = std::get_if<std::int64_t>(&c.value))
            value = Known{true, *i, std::nullopt, std::nullopt};
        else if (const auto *t = std::get_if<std::string>(&c.value))
            value = Known{true, std::nullopt, *t, std::nullopt};
        else if (const auto *b = std::get_if<bool>(&c.value))
            value = Known{true, std::nullopt, std::nullopt, *b};
        m_known[c.key] = std::move(value);
    }
    m_pending.push_back([changes](KeyValueStore &s) { s.apply(changes); });
    postWriteLocked();
    return m_failure.load() == Failure::none;
}

void BackgroundSyncStore::postWriteLocked()
{
    // A write posted but not yet started takes every change made until it
    // starts: one is enough, however many synchronisations are asked for.
    // With nothing waiting the disk is up to date, unless writing fails,
    // when each synchronisation tries again.
    if (m_writePosted || (m_pending.empty() && m_failure.load() == Failure::none))
        return;
    m_writePosted = true;
    m_writer->async([this] { write(); });
}

void BackgroundSyncStore::write()
{
    std::vector<Apply> changes;
    {
        std::lock_guard lock(m_mutex);
        changes.swap(m_pending);
        m_writePosted = false;
    }
    for (const Apply &apply : changes)
        apply(*m_store);
    Failure failure = Failure::none;
    if (!m_store->synchronize()) {
        failure = m_store->lastFailure();
        if (failure == Failure::none)
            failure = Failure::other;
    }
    m_failure = failure;
    if (failure != m_reported) {
        m_reported = failure;
        m_status.report(failure);
    }
}

bool BackgroundSyncStore::flush()
{
    synchronize();
    m_writer->waitForIdle();
    return m_failure.load() == Failure::none;
}

} // namespace kestrune
