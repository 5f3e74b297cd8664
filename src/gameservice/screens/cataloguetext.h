#pragma once

#include <QCoreApplication>
#include <QString>

namespace kestrune {

// The player's language for the shared catalogue's leaderboards and
// achievements. The catalogue itself stays English (the server speaks it);
// the screens look an entry's texts up here by identifier when they show
// it, and keep what the service sent for an identifier not known here.
class CatalogueText
{
    Q_DECLARE_TR_FUNCTIONS(CatalogueText)

public:
    struct Entry
    {
        const char *identifier;
        const char *title;
        const char *description; // nullptr for a leaderboard
    };

    static QString leaderboardTitle(const QString &identifier, const QString &sent);
    static QString achievementTitle(const QString &identifier, const QString &sent);
    static QString achievementDescription(const QString &identifier, const QString &sent);

    // The English source texts, for the check that they match the catalogue.
    static const Entry *leaderboards(int *count);
    static const Entry *achievements(int *count);

    CatalogueText() = delete;
};

} // namespace kestrune
