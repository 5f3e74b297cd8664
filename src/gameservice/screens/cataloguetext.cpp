#include "cataloguetext.h"

#include <iterator>

namespace kestrune {

namespace {

// The catalogue's English texts again, where lupdate can see them. A test
// holds the two together.
constexpr CatalogueText::Entry leaderboardList[] = {
    //: A leaderboard's name
    {"sp_leaderboard", QT_TRANSLATE_NOOP("CatalogueText", "Single player"), nullptr},
};

constexpr CatalogueText::Entry achievementList[] = {
    {"1won", QT_TRANSLATE_NOOP("CatalogueText", "First Break"),
     QT_TRANSLATE_NOOP("CatalogueText", "Break your first code in a single-player game.")},
    {"50won", QT_TRANSLATE_NOOP("CatalogueText", "Codebreaker"),
     QT_TRANSLATE_NOOP("CatalogueText", "Win 50 single-player games.")},
    {"100won", QT_TRANSLATE_NOOP("CatalogueText", "Cipher Centurion"),
     QT_TRANSLATE_NOOP("CatalogueText", "Win 100 single-player games.")},
    {"50games", QT_TRANSLATE_NOOP("CatalogueText", "Regular"),
     QT_TRANSLATE_NOOP("CatalogueText", "Play 50 single-player games, won or lost.")},
    {"100games", QT_TRANSLATE_NOOP("CatalogueText", "Devoted"),
     QT_TRANSLATE_NOOP("CatalogueText", "Play 100 single-player games, won or lost.")},
    {"lucky_beggar", QT_TRANSLATE_NOOP("CatalogueText", "Blind Luck"),
     QT_TRANSLATE_NOOP("CatalogueText", "Break the code with your very first shot.")},
    {"really_fast", QT_TRANSLATE_NOOP("CatalogueText", "Quick Thinker"),
     QT_TRANSLATE_NOOP("CatalogueText", "Break a code within 20 seconds of your first shot.")},
    {"really_stubborn", QT_TRANSLATE_NOOP("CatalogueText", "Stubborn Streak"),
     QT_TRANSLATE_NOOP("CatalogueText", "Fire the same shot twice in a row.")},
};

template<std::size_t N>
const CatalogueText::Entry *find(const CatalogueText::Entry (&list)[N], const QString &identifier)
{
    for (const CatalogueText::Entry &entry : list) {
        if (identifier == QLatin1String(entry.identifier))
            return &entry;
    }
    return nullptr;
}

} // namespace

QString CatalogueText::leaderboardTitle(const QString &identifier, const QString &sent)
{
    const Entry *entry = find(leaderboardList, identifier);
    return entry ? tr(entry->title) : sent;
}

QString CatalogueText::achievementTitle(const QString &identifier, const QString &sent)
{
    const Entry *entry = find(achievementList, identifier);
    return entry ? tr(entry->title) : sent;
}

QString CatalogueText::achievementDescription(const QString &identifier, const QString &sent)
{
    const Entry *entry = find(achievementList, identifier);
    return entry ? tr(entry->description) : sent;
}

const CatalogueText::Entry *CatalogueText::leaderboards(int *count)
{
    *count = int(std::size(leaderboardList));
    return leaderboardList;
}

const CatalogueText::Entry *CatalogueText::achievements(int *count)
{
    *count = int(std::size(achievementList));
    return achievementList;
}

} // namespace kestrune
