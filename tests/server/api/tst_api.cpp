#include "accountstest.h"
#include "cachetest.h"
#include "decodertest.h"
#include "refusalstest.h"
#include "scorestest.h"

#include <QCoreApplication>
#include <QTest>

// The API's contract, one class per concern, in one executable.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    using namespace kestrune::server::test;
    int failures = 0;
    DecoderTest decoder;
    failures += QTest::qExec(&decoder, argc, argv);
    AccountsTest accounts;
    failures += QTest::qExec(&accounts, argc, argv);
    ScoresTest scores;
    failures += QTest::qExec(&scores, argc, argv);
    RefusalsTest refusals;
    failures += QTest::qExec(&refusals, argc, argv);
    CacheTest cache;
    failures += QTest::qExec(&cache, argc, argv);
    return failures == 0 ? 0 : 1;
}
