#pragma once

#include "apifixture.h"

#include <QObject>

namespace kestrune::server::test {

// Leaderboards and achievements, end to end through the API.
class ScoresTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void leaderboardsComeFromTheCatalogue();
    void topRanksTiesAndAddsTheCallersRow();
    void bestScoreIsKept();
    void resentReportIsStoredOnce();
    void topLimit_data();
    void topLimit();
    void scopesFollowTheCalendar();
    void aroundMeIsAWindow();
    void concurrentReportsStayConsistent();
    void achievementsKeepTheHighest();
    void achievementListMergesTheCatalogue();
    void resetTouchesOnlyOnesOwn();

private:
    std::unique_ptr<ApiFixture> m_api;
};

} // namespace kestrune::server::test
