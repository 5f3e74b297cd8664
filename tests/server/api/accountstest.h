#pragma once

#include "apifixture.h"

#include <QObject>

namespace kestrune::server::test {

// Accounts and challenges, end to end through the API.
class AccountsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void createHandsOutSecretsOnce();
    void whoAmIAndRename();
    void recoveryMovesTheAccount();
    void profileIsPublic();
    void challengeGoesToTheReceiverOnly();
    void challengesListNewestFirst();
    void storeFailureAnswers503WithoutInternals();
    void databaseTimeCountsStoreCalls();

private:
    std::unique_ptr<ApiFixture> m_api;
};

} // namespace kestrune::server::test
