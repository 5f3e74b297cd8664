#include "backgroundsyncstore.h"

#include "dispatch/serialqueue.h"

namespace kestrune {

namespace {
const QString writerName = QStringLiteral("org.kestrune.Kestrune.settings");
} // namespace

BackgroundSyncStore::BackgroundSyncStore(const Opener &open)
    : m_writer(std::make_unique<SerialQueue>(writerName, WorkerPool::Priority::background))
{
    // Nothing else is posted before this returns; waiting for the queue to
    // empty also hands what the writer set over to this thread.
    m_writer->async([this, &open] {
        auto store = open();
        auto all = readAll(*store);
        std::lock_guard lock(m_mutex);
        m_store = std::move(store);
        m_known = std::move(all);
    });
    m_writer->waitForIdle();
}

BackgroundSyncStore::BackgroundSyncStore(std::unique_ptr<KeyValueStore> store)
    : m_store(std::move(store))
    , m_known(readAll(*m_store))
    , m_writer(std::make_unique<SerialQueue>(writerName, WorkerPool::Priority::background))
{
}

BackgroundSyncStore::~BackgroundSyncStore()
{
    flush();
    // Gone on the thread it belongs to, like everything else done to it.
    m_writer->async([this] { m_store.reset(); });
    m_writer->waitForIdle();
}

std::map<std::string, BackgroundSyncStore::Known> BackgroundSyncStore::readAll(const KeyValueStore &store)
{
    std::map<std::string, Known> all;
    for (const std::string &key : store.keys())
        all.emplace(key, Known{true, store.integer(key), store.string(key), store.boolean(key)});
    return all;
}

BackgroundSyncStore::Known BackgroundSyncStore::known(const std::string &key) const
{
    std::lock_guard lock(m_mutex);
    if (auto it = m_known.find(key); it != m_known.end())
        return it->second;
    return {};
}

std::vector<std::string> BackgroundSyncStore::keys() const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::string> all;
    for (const auto &[key, value] : m_known) {
        if (value.contains)
            all.push_back(key);
    }
    return all;
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
