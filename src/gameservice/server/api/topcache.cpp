#include "topcache.h"

namespace kestrune::server {

namespace {

// Past days and weeks, limits and boards make keys that are never asked
// for again; past this many entries they all go and the live ones come back.
constexpr std::size_t maxEntries = 512;

} // namespace

std::string TopCache::keyText(const Key &key)
{
    std::string text = key.leaderboard;
    text += '\n';
    text += scopeName(key.scope);
    text += '\n';
    text += std::to_string(key.period);
    text += '\n';
    text += std::to_string(key.limit);
    return text;
}

TopCache::Stamp TopCache::stampLocked(const std::string &leaderboard) const
{
    const auto board = m_boards.find(leaderboard);
    return Stamp{m_all, board == m_boards.end() ? 0 : board->second};
}

TopCache::Stamp TopCache::stamp(const std::string &leaderboard) const
{
    std::lock_guard lock(m_mutex);
    return stampLocked(leaderboard);
}

std::shared_ptr<const std::string> TopCache::find(const Key &key) const
{
    const std::string text = keyText(key);
    std::lock_guard lock(m_mutex);
    const auto entry = m_entries.find(text);
    if (entry == m_entries.end() || !(entry->second.stamp == stampLocked(key.leaderboard)))
        return nullptr;
    return entry->second.body;
}

void TopCache::put(const Key &key, Stamp stamp, std::string body)
{
    auto shared = std::make_shared<const std::string>(std::move(body));
    std::string text = keyText(key);
    std::lock_guard lock(m_mutex);
    if (!(stamp == stampLocked(key.leaderboard)))
        return;
    if (m_entries.size() >= maxEntries)
        m_entries.clear();
    m_entries.insert_or_assign(std::move(text), Entry{stamp, std::move(shared)});
}

void TopCache::boardChanged(const std::string &leaderboard)
{
    std::lock_guard lock(m_mutex);
    ++m_boards[leaderboard];
}

void TopCache::allChanged()
{
    std::lock_guard lock(m_mutex);
    ++m_all;
}

std::size_t TopCache::size() const
{
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

} // namespace kestrune::server
