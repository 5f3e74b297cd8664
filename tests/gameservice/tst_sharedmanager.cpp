#include "fakes/managerfixture.h"

#include <set>
#include <thread>

using namespace kestrune;
using namespace kestrune::test;

class TestSharedManager : public QObject
{
    Q_OBJECT

private slots:
    void concurrentFirstCallsMakeOneInstance()
    {
        QTemporaryDir dir;
        auto defaults = std::make_shared<LockedStore>();
        GameServiceManager::Environment e;
        e.userDefaults = defaults;
        e.homeFolder = dir.path();
        GameServiceManager::setSharedEnvironment(e);

        std::vector<GameServiceManager *> seen(6, nullptr);
        std::vector<std::thread> callers;
        for (std::size_t i = 0; i < seen.size(); ++i)
            callers.emplace_back([&seen, i] { seen[i] = &GameServiceManager::sharedManager(); });
        for (auto &t : callers)
            t.join();
        const std::set<GameServiceManager *> distinct(seen.begin(), seen.end());
        QCOMPARE(distinct.size(), 1u);
        QCOMPARE(&GameServiceManager::sharedManager(), seen.front());
        // It was made from the given environment: no framework, state 0, the
        // flags in the given store.
        QCOMPARE(seen.front()->previousGameServiceAvailability(), 0);
        QCOMPARE(defaults->boolean("scoresSyncedunknownPlayer"), std::optional(false));
        seen.front()->setupManager();
        QCOMPARE(seen.front()->cacheFilePath(), dir.filePath("Library/GameServiceManager.cache"));
        QVERIFY(QFile::exists(seen.front()->cacheFilePath()));
    }
};

QTEST_GUILESS_MAIN(TestSharedManager)
#include "tst_sharedmanager.moc"
