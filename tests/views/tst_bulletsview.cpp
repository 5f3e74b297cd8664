#include "englishcatalogue.h"
#include "manualanimationdriver.h"
#include "views/dots/bulletsview.h"
#include "views/dots/bulletview.h"

#include <QtTest>

using namespace kestrune;

namespace {

// The dots as letters: B a bull, W a cow, E empty.
QString states(const BulletsView &view)
{
    QString letters;
    for (const BulletView *dot : view.bullets())
        letters += dot->state() == DotState::bull ? 'B' : dot->state() == DotState::cow ? 'W' : 'E';
    return letters;
}

int transitioning(const BulletsView &view)
{
    int count = 0;
    for (const BulletView *dot : view.bullets())
        count += dot->isTransitioning() ? 1 : 0;
    return count;
}

} // namespace

class BulletsViewTest : public QObject
{
    Q_OBJECT

private slots:
    void bullsComeFirstThenCows_data()
    {
        QTest::addColumn<int>("bulls");
        QTest::addColumn<int>("cows");
        QTest::addColumn<bool>("animated");
        QTest::addColumn<QString>("dots"); // from BWEE
        QTest::addColumn<int>("completions");
        for (bool animated : {false, true}) {
            const char *how = animated ? "animated" : "at once";
            QTest::addRow("2 bulls 1 cow, %s", how) << 2 << 1 << animated << "BBWE" << 1;
            QTest::addRow("none, %s", how) << 0 << 0 << animated << "EEEE" << 1;
            QTest::addRow("4 cows, %s", how) << 0 << 4 << animated << "WWWW" << 1;
            QTest::addRow("more than four: ignored, %s", how) << 3 << 2 << animated << "BWEE" << 0;
            QTest::addRow("negative: ignored, %s", how) << -1 << 2 << animated << "BWEE" << 0;
        }
    }

    void bullsComeFirstThenCows()
    {
        QFETCH(int, bulls);
        QFETCH(int, cows);
        QFETCH(bool, animated);
        test::ManualAnimationDriver driver;
        BulletsView view;
        view.setDots(1, 1, false);
        int completions = 0;
        view.setDots(bulls, cows, animated, [&] { ++completions; });
        driver.advanceBy(4 * BulletsView::transitionDurationMs);
        QTEST(states(view), "dots");
        QTEST(completions, "completions");
        QCOMPARE(transitioning(view), 0);
    }

    void animatedDotsChangeOneAfterAnother_data()
    {
        QTest::addColumn<int>("fromBulls");
        QTest::addColumn<int>("fromCows");
        QTest::addColumn<int>("bulls");
        QTest::addColumn<int>("cows");
        QTest::addColumn<QList<int>>("order"); // the dots that dissolve, in turn
        QTest::newRow("every dot") << 0 << 0 << 4 << 0 << QList<int>{0, 1, 2, 3};
        QTest::newRow("an empty last dot costs nothing") << 0 << 0 << 2 << 1 << QList<int>{0, 1, 2};
        QTest::newRow("matching first dots are skipped") << 1 << 1 << 1 << 3 << QList<int>{2, 3};
        QTest::newRow("a dot in the middle is skipped") << 1 << 2 << 2 << 2 << QList<int>{1, 3};
        QTest::newRow("the same result completes at once") << 2 << 1 << 2 << 1 << QList<int>{};
    }

    void animatedDotsChangeOneAfterAnother()
    {
        QFETCH(int, fromBulls);
        QFETCH(int, fromCows);
        QFETCH(int, bulls);
        QFETCH(int, cows);
        QFETCH(QList<int>, order);
        test::ManualAnimationDriver driver;
        BulletsView target;
        target.setDots(bulls, cows, false);
        BulletsView view;
        view.setDots(fromBulls, fromCows, false);
        const QString from = states(view);
        int completions = 0;
        view.setDots(bulls, cows, true, [&] { ++completions; });
        // Each dot takes its state as its dissolve starts; one dissolve at a time.
        for (int i : order) {
            QCOMPARE(transitioning(view), 1);
            QVERIFY(view.bullets()[i]->isTransitioning());
            QCOMPARE(states(view).left(i + 1), states(target).left(i + 1));
            QCOMPARE(states(view).mid(i + 1), from.mid(i + 1));
            QCOMPARE(completions, 0);
            driver.advanceBy(BulletsView::transitionDurationMs - 20);
            QVERIFY(view.bullets()[i]->isTransitioning());
            driver.advanceBy(20);
        }
        QCOMPARE(transitioning(view), 0);
        QCOMPARE(completions, 1);
        QCOMPARE(states(view), states(target));
    }
};

QTEST_MAIN(BulletsViewTest)
#include "tst_bulletsview.moc"
