#pragma once

#include "apifixture.h"

#include <QObject>

namespace kestrune::server::test {

// Kept top answers: what the server gives from memory, and that a write
// acknowledged before a read always shows in it.
class CacheTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keptAnswerIsTheFullAnswer();
    void acknowledgedWritesShowInTheNextRead_data();
    void acknowledgedWritesShowInTheNextRead();
    void onlyAnonymousValidReadsAreAnsweredFromMemory_data();
    void onlyAnonymousValidReadsAreAnsweredFromMemory();
    void aNewDayIsANewAnswer();
    void anAnswerReadBeforeAWriteIsNotKept();
    void aScoreLeavesOtherBoardsKept();
    void concurrentReportsAndReadsNeverServeAnOldTop();

private:
    std::unique_ptr<ApiFixture> m_api;
};

} // namespace kestrune::server::test
