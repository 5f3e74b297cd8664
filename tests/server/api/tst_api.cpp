#include <QCoreApplication>
#include <QTest>

#include <memory>

namespace kestrune::server::test {
std::unique_ptr<QObject> makeDecoderTests();
std::unique_ptr<QObject> makeAccountsTests();
std::unique_ptr<QObject> makeScoresTests();
std::unique_ptr<QObject> makeRefusalsTests();
std::unique_ptr<QObject> makeCacheTests();
} // namespace kestrune::server::test

// The API's contract, one class per concern, in one executable.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    using namespace kestrune::server::test;
    int failures = 0;
    for (auto make : {makeDecoderTests, makeAccountsTests, makeScoresTests, makeRefusalsTests, makeCacheTests})
        failures += QTest::qExec(make().get(), argc, argv);
    return failures == 0 ? 0 : 1;
}
