#include "manualanimationdriver.h"
#include "views/controls/autofontsizeoutlinelabel.h"
#include "views/dots/bulletsview.h"
#include "views/dots/bulletview.h"
#include "views/dots/numberview.h"
#include "views/dots/turnview.h"

#include <QtTest>

using namespace kestrune;

namespace {

QList<DotState> states(const BulletsView &view)
{
    QList<DotState> result;
    for (const BulletView *dot : view.bullets())
        result.append(dot->state());
    return result;
}

int transitioning(const BulletsView &view)
{
    int count = 0;
    for (const BulletView *dot : view.bullets())
        count += dot->isTransitioning() ? 1 : 0;
    return count;
}

const DotState B = DotState::bull;
const DotState W = DotState::cow;
const DotState E = DotState::empty;

} // namespace

class BulletsViewTest : public QObject
{
    Q_OBJECT

private slots:
    void bullsComeFirstThenCows()
    {
        BulletsView view;
        int completions = 0;
        view.setDots(2, 1, false, [&] { ++completions; });
        QCOMPARE(states(view), (QList<DotState>{B, B, W, E}));
        QCOMPARE(completions, 1);
        view.setDots(0, 0, false, [&] { ++completions; });
        QCOMPARE(states(view), (QList<DotState>{E, E, E, E}));
        QCOMPARE(completions, 2);
    }

    void moreThanFourDotsChangeNothing()
    {
        BulletsView view;
        view.setDots(1, 1, false);
        bool completed = false;
        view.setDots(3, 2, true, [&] { completed = true; });
        view.setDots(3, 2, false, [&] { completed = true; });
        QCOMPARE(states(view), (QList<DotState>{B, W, E, E}));
        QVERIFY(!completed);
    }

    void animatedDotsChangeOneAfterAnother()
    {
        test::ManualAnimationDriver driver;
        BulletsView view;
        int completions = 0;
        view.setDots(4, 0, true, [&] { ++completions; });
        // Each dot takes its state as its dissolve starts; one dissolve at a time.
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(transitioning(view), 1);
            QVERIFY(view.bullets()[i]->isTransitioning());
            QCOMPARE(view.bullets()[i]->state(), B);
            if (i < 3)
                QCOMPARE(view.bullets()[i + 1]->state(), E);
            QCOMPARE(completions, 0);
            driver.advanceBy(BulletsView::transitionDurationMs - 20);
            QVERIFY(view.bullets()[i]->isTransitioning());
            driver.advanceBy(20);
        }
        QCOMPARE(transitioning(view), 0);
        QCOMPARE(completions, 1); // 0.8 s in all
    }

    void unchangedDotsCostNothing()
    {
        test::ManualAnimationDriver driver;
        BulletsView view;
        bool completed = false;
        view.setDots(2, 1, true, [&] { completed = true; });
        driver.advanceBy(3 * BulletsView::transitionDurationMs - 20);
        QVERIFY(!completed);
        driver.advanceBy(20);
        QVERIFY(completed); // 0.6 s: the empty fourth dot needed no dissolve
        QCOMPARE(states(view), (QList<DotState>{B, B, W, E}));

        // The same result again: nothing to do, completion at once.
        completed = false;
        view.setDots(2, 1, true, [&] { completed = true; });
        QVERIFY(completed);
        QCOMPARE(transitioning(view), 0);
    }

    void aDotSkippedInTheMiddleKeepsTheOrder()
    {
        test::ManualAnimationDriver driver;
        BulletsView view;
        view.setDots(1, 1, false);
        view.setDots(1, 3, true);
        // Dot 0 and 1 already match; dot 2 goes first.
        QVERIFY(view.bullets()[2]->isTransitioning());
        QCOMPARE(transitioning(view), 1);
        driver.advanceBy(BulletsView::transitionDurationMs);
        QVERIFY(view.bullets()[3]->isTransitioning());
        driver.advanceBy(BulletsView::transitionDurationMs);
        QCOMPARE(states(view), (QList<DotState>{B, W, W, W}));
        QCOMPARE(transitioning(view), 0);
    }

    void dotSpacingIsANinthOfTheHeight()
    {
        BulletsView view;
        view.resize(60, 36);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (QBoxLayout *stack : view.stackViews())
            QCOMPARE(stack->spacing(), 4);
    }

    void numberViewShowsItsNumber()
    {
        NumberView view;
        QCOMPARE(view.numberLabel()->text(), QStringLiteral("0"));
        view.setNumber(10);
        QCOMPARE(view.numberLabel()->text(), QStringLiteral("10"));
    }

    void turnViewNamesThePlayer()
    {
        TurnView view;
        QCOMPARE(view.size(), QSize(29, 36));
        view.showPlayer(2);
        QCOMPARE(view.label()->text(), QStringLiteral("P2"));
    }
};

QTEST_MAIN(BulletsViewTest)
#include "tst_bulletsview.moc"
