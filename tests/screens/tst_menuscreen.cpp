#include "accessibilityrecorder.h"
#include "englishcatalogue.h"
#include "fakemenugameservice.h"
#include "manualanimationdriver.h"
#include "memorystore.h"
#include "recordingidletimer.h"

#include "platform/device/deviceprofile.h"
#include "platform/resources/resources.h"
#include "screens/menu/menuviewcontroller.h"
#include "screens/menu/winlosebar.h"
#include "screens/navigation/navigationbar.h"
#include "screens/navigation/navigationcontroller.h"
#include "views/radialmenu/blurview.h"
#include "views/radialmenu/radialmenu.h"
#include "views/widgets/moderndialogbutton.h"
#include "views/widgets/outlinelabel.h"
#include "views/widgets/promptdialog.h"

#include <QLineF>
#include <QTest>

Q_DECLARE_METATYPE(kestrune::DeviceProfile)

using namespace kestrune;
using namespace kestrune::test;

namespace {

// The menu as the root of a stack whose segues lead to plain screens named
// after them, with every collaborator in the test's hand.
struct Fixture
{
    explicit Fixture(const DeviceProfile &device = DeviceProfile::phone(), bool uiTest = false, std::int64_t games = 0,
                     std::int64_t wins = 0)
    {
        DeviceProfile::setCurrent(device);
        if (games)
            store.setInteger("games", games), store.setInteger("wins", wins);
        environment.store = &store;
        environment.idleTimer = &idleTimer;
        environment.gameService = &service;
        environment.uiTest = uiTest;
        environment.prepareGame = [this](QSize size) { preparedSizes.append(size); };
        for (const char *name : {"singleplayer", "multiplayer", "computer", "statistics"}) {
            nav.registerSegue(QString::fromLatin1(name), [name] {
                auto *screen = new ViewController;
                screen->setObjectName(QString::fromLatin1(name));
                return screen;
            });
        }
        screen = new MenuViewController(environment);
        nav.pushViewController(screen, false);
        nav.resize(device.size().toSize());
        nav.show();
        QCoreApplication::processEvents();
    }
    void finishAnimations() { driver.advanceBy(400); }
    QStringList stack() const
    {
        QStringList names;
        for (ViewController *s : nav.viewControllers())
            names.append(s->objectName());
        return names;
    }

    ManualAnimationDriver driver;
    MemoryStore store;
    RecordingIdleTimer idleTimer;
    FakeMenuGameService service;
    MenuEnvironment environment;
    NavigationController nav;
    MenuViewController *screen = nullptr;
    QList<QSize> preparedSizes;
};

} // namespace

class TestMenuScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { NavigationController::setAnimationsEnabled(false); }
    void init() { DeviceProfile::setCurrent(DeviceProfile::phone()); }

    // The bar shows the share of wins, and is read as its record: the
    // colours alone say nothing to a reader.
    void winLoseBarShowsTheShareOfWins_data()
    {
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("wins");
        QTest::addColumn<QList<qreal>>("locations");
        QTest::addColumn<QString>("value");
        QTest::newRow("no games: no gradient") << 0 << 0 << QList<qreal>{} << "No games yet";
        QTest::newRow("1 of 2, singular") << 2 << 1 << QList<qreal>{0, 0.47, 0.53, 1} << "1 win, 1 loss";
        QTest::newRow("1 of 4") << 4 << 1 << QList<qreal>{0, 0.22, 0.28, 1} << "1 win, 3 losses";
        QTest::newRow("all won") << 5 << 5 << QList<qreal>{0, 1, 1, 1} << "5 wins, 0 losses";
        QTest::newRow("none won") << 5 << 0 << QList<qreal>{0, 0, 0, 1} << "0 wins, 5 losses";
    }
    void winLoseBarShowsTheShareOfWins()
    {
        QFETCH(int, games);
        QFETCH(int, wins);
        QFETCH(QList<qreal>, locations);
        QFETCH(QString, value);
        Fixture f(DeviceProfile::phone(), false, games, wins);
        const QList<qreal> actual = f.screen->bottomBar()->locations();
        QCOMPARE(actual.size(), locations.size());
        for (int i = 0; i < actual.size(); ++i)
            QVERIFY2(qAbs(actual.at(i) - locations.at(i)) < 1e-9, qPrintable(QString::number(actual.at(i))));

        // What the player sees at either end of the bar.
        const QImage bar = f.screen->bottomBar()->grab().toImage();
        const QColor leftEnd = bar.pixelColor(0, bar.height() / 2);
        const QColor rightEnd = bar.pixelColor(bar.width() - 1, bar.height() / 2);
        const QColor win = Resources::color("winBar");
        const QColor lose = Resources::color("loseBar");
        if (games == 0) {
            QVERIFY(leftEnd != win && leftEnd != lose);
        } else {
            QCOMPARE(leftEnd, wins == 0 ? lose : win);
            QCOMPARE(rightEnd, wins == games ? win : lose);
        }

        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(f.screen->bottomBar());
        QVERIFY(reader);
        QCOMPARE(reader->text(QAccessible::Name), "Games won and lost");
        QCOMPARE(reader->text(QAccessible::Value), value);
    }

    void winLoseBarFollowsTheStatisticsOnReturn()
    {
        Fixture f;
        QVERIFY(f.screen->bottomBar()->locations().isEmpty());
        f.store.setInteger("games", 2);
        f.store.setInteger("wins", 2);
        f.screen->performSegue("singleplayer");
        f.nav.popViewController(false);
        QCOMPARE(f.screen->bottomBar()->locations(), QList<qreal>({0, 1, 1, 1}));
        QCOMPARE(QAccessible::queryAccessibleInterface(f.screen->bottomBar())->text(QAccessible::Value),
                 "2 wins, 0 losses");
    }

    void sizesFollowTheScreen_data()
    {
        QTest::addColumn<DeviceProfile>("device");
        QTest::addColumn<int>("quotation");
        QTest::addColumn<qreal>("ring");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<int>("bottomBar"); // taller over a home indicator
        QTest::newRow("small phone, class 1") << DeviceProfile::smallPhone() << 20 << qreal(190) << true << 10;
        QTest::newRow("phone, class 2") << DeviceProfile::phone() << 24 << qreal(190) << false << 10;
        QTest::newRow("tall phone, class 3") << DeviceProfile::tallPhone() << 36 << qreal(190) << false << 21;
        QTest::newRow("tablet, class 4") << DeviceProfile::tablet() << 40 << qreal(220) << false << 10;
    }
    void sizesFollowTheScreen()
    {
        QFETCH(DeviceProfile, device);
        QFETCH(int, quotation);
        QFETCH(qreal, ring);
        QFETCH(bool, centred);
        QFETCH(int, bottomBar);
        Fixture f(device, false, 2, 1);
        QCOMPARE(f.screen->bottomBar()->geometry(),
                 QRect(0, f.screen->height() - bottomBar, f.screen->width(), bottomBar));
        QCOMPARE(f.screen->quotationLabel()->font().pixelSize(), quotation);
        QCOMPARE(f.screen->quotationAuthorLabel()->font().pixelSize(), quotation / 2);
        QCOMPARE(f.screen->quotationLabel()->gradientStartColor(), Resources::color("quotationGradientStart"));
        QCOMPARE(f.screen->quotationLabel()->gradientEndColor(), Resources::color("quotationGradientEnd"));
        QCOMPARE(f.screen->playButton()->ringDistance(), ring);
        const int playCentre = f.screen->playButton()->geometry().center().y();
        QCOMPARE(qAbs(playCentre - f.screen->height() / 2) <= 1, centred);
        QVERIFY(!f.screen->quotationLabel()->text().isEmpty());
        QVERIFY(!f.screen->quotationAuthorLabel()->text().isEmpty());
    }

    void oneSelectionStartsOneGameUntilTheMenuReturns()
    {
        Fixture f;
        RadialMenu *menu = f.screen->playButton();
        Button *single = menu->modeButtons().at(0);
        Button *two = menu->modeButtons().at(1);
        f.screen->radialMenuButtonDidSelected(*menu, single, 0);
        f.screen->radialMenuButtonDidSelected(*menu, two, 1);
        QCOMPARE(f.stack(), QStringList({"MenuViewController", "singleplayer"}));
        QVERIFY(!f.screen->isRadialMenuInteractionAllowed());

        f.nav.popViewController(false);
        QVERIFY(f.screen->isRadialMenuInteractionAllowed());
        menu->click();
        f.finishAnimations();
        two->click();
        QCOMPARE(f.stack(), QStringList({"MenuViewController", "multiplayer"}));
    }

    void eachModeOfTheRingPerformsItsSegue_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("segue");
        QTest::newRow("single player") << 0 << "singleplayer";
        QTest::newRow("two players") << 1 << "multiplayer";
        QTest::newRow("vs computer") << 2 << "computer";
    }
    // Picked by the keys: Return opens the ring on the first mode, the
    // arrows walk all three.
    void eachModeOfTheRingPerformsItsSegue()
    {
        QFETCH(int, index);
        QFETCH(QString, segue);
        Fixture f;
        RadialMenu *menu = f.screen->playButton();
        menu->setFocus();
        QTest::keyClick(menu, Qt::Key_Return);
        f.finishAnimations();
        const QList<Button *> modes = menu->modeButtons();
        QVERIFY(modes.at(0)->hasFocus());
        for (int i = 1; i < modes.size(); ++i) {
            QTest::keyClick(modes.at(i - 1), Qt::Key_Right);
            QVERIFY(modes.at(i)->hasFocus());
        }
        for (int i = modes.size() - 1; i > index; --i) {
            QTest::keyClick(modes.at(i), Qt::Key_Left);
            QVERIFY(modes.at(i - 1)->hasFocus());
        }
        QTest::keyClick(modes.at(index), Qt::Key_Return);
        QCOMPARE(f.stack(), QStringList({"MenuViewController", segue}));
    }

    void ringOfThreeFitsTheScreenEvenlySpread_data()
    {
        QTest::addColumn<DeviceProfile>("device");
        QTest::newRow("small phone") << DeviceProfile::smallPhone();
        QTest::newRow("phone") << DeviceProfile::phone();
        QTest::newRow("tablet") << DeviceProfile::tablet();
    }
    void ringOfThreeFitsTheScreenEvenlySpread()
    {
        QFETCH(DeviceProfile, device);
        Fixture f(device);
        RadialMenu *menu = f.screen->playButton();
        menu->click();
        f.finishAnimations();
        const QList<Button *> modes = menu->modeButtons();
        QCOMPARE(modes.size(), 3);
        for (Button *mode : modes)
            QVERIFY2(f.screen->rect().contains(mode->geometry()), qPrintable(mode->accessibleName()));
        // Mirror images about the centre button, the middle one straight above it.
        const QPointF centre = QRectF(menu->geometry()).center();
        const QPointF left = QRectF(modes.at(0)->geometry()).center();
        const QPointF middle = QRectF(modes.at(1)->geometry()).center();
        const QPointF right = QRectF(modes.at(2)->geometry()).center();
        QVERIFY(qAbs(middle.x() - centre.x()) <= 1);
        QVERIFY(qAbs((centre.x() - left.x()) - (right.x() - centre.x())) <= 1);
        QVERIFY(qAbs(left.y() - right.y()) <= 1);
        QVERIFY(QLineF(left, middle).length() > menu->modeButtonSide() + 8);
    }

    // The open ring has the blur right under it, and opening it prepares
    // the game screen ahead, once, at its size under the bar.
    void blurLiesBehindTheOpenRingOnly()
    {
        Fixture f;
        RadialMenu *menu = f.screen->playButton();
        QVERIFY(!f.screen->blurView());
        QVERIFY(f.preparedSizes.isEmpty());
        menu->click();
        QCOMPARE(f.preparedSizes,
                 QList<QSize>({f.screen->size() - QSize(0, NavigationBar::barHeight)}));
        BlurView *blur = f.screen->blurView();
        QVERIFY(blur);
        QCOMPARE(blur->alpha(), 0.8);
        QCOMPARE(blur->geometry(), f.screen->rect());
        const QObjectList children = f.screen->children();
        QCOMPARE(children.indexOf(blur) + 1, children.indexOf(menu)); // right under the centre button
        menu->click();
        f.finishAnimations();
        QVERIFY(!f.screen->blurView());
        QCOMPARE(f.preparedSizes.size(), 1);

        menu->click();
        f.finishAnimations();
        QVERIFY(f.screen->blurView());
        menu->modeButtons().at(0)->click();
        QVERIFY(!f.screen->blurView());
    }

    void signInScreenShowsUnlessUITest_data()
    {
        QTest::addColumn<bool>("uiTest");
        QTest::newRow("normal launch") << false;
        QTest::newRow("UITest") << true;
    }
    void signInScreenShowsUnlessUITest()
    {
        QFETCH(bool, uiTest);
        Fixture f(DeviceProfile::phone(), uiTest);
        f.service.signIn.onNext(nullptr);
        QCoreApplication::processEvents();
        QCOMPARE(f.service.signInPresentedOver.size(), uiTest ? 0 : 1);
        if (!uiTest)
            QCOMPARE(f.service.signInPresentedOver.first().data(), f.screen);
    }

    // Sign-in never competes with a game or a card: it waits until the menu
    // is what the player sees, with nothing over it.
    void signInWaitsForTheBareMenu()
    {
        Fixture f;
        QVERIFY(f.screen->performSegue(QStringLiteral("singleplayer")));
        f.finishAnimations();
        f.service.signIn.onNext(nullptr);
        QCoreApplication::processEvents();
        QVERIFY(f.service.signInPresentedOver.isEmpty());
        f.nav.popViewController(true);
        f.finishAnimations();
        QTRY_COMPARE(f.service.signInPresentedOver.size(), 1);
        QCOMPARE(f.service.signInPresentedOver.first().data(), f.screen);

        auto *card = new PromptDialog(QStringLiteral("Card"), QString());
        auto *ok = new ModernDialogButton(QStringLiteral("OK"), 45, true, {});
        card->addButtons({ok});
        QVERIFY(f.screen->present(card, false));
        f.service.signIn.onNext(nullptr);
        QCoreApplication::processEvents();
        QCOMPARE(f.service.signInPresentedOver.size(), 1);
        ok->click();
        QTRY_COMPARE(f.service.signInPresentedOver.size(), 2);
    }

    void gameServiceButtonSlidesInAndOut()
    {
        AccessibilityRecorder recorder;
        Fixture f;
        Button *button = f.screen->gameServiceButton();
        QVERIFY(!button->isVisible());
        QCOMPARE(button->alpha(), 0.0);
        QCOMPARE(f.screen->gameServiceButtonLeading(), -button->width());
        const int hiddenX = button->x();
        const int statisticsTop = f.screen->statisticsButton()->y();
        QCOMPARE(statisticsTop - button->geometry().bottom() - 1, 8);

        f.service.available.onNext(true);
        QCOMPARE(f.screen->gameServiceButtonLeading(), 8.0);
        QVERIFY(button->isVisible());
        QCOMPARE(recorder.names(button, QAccessible::Alert), QStringList({"Achievements"}));
        f.driver.advanceBy(150);
        QVERIFY2(button->alpha() > 0.2 && button->alpha() < 0.8, qPrintable(QString::number(button->alpha())));
        QVERIFY(button->x() > hiddenX && button->x() < 16);
        f.driver.advanceBy(170);
        QCOMPARE(button->alpha(), 1.0);
        QCOMPARE(button->x(), 16); // 8 in from the statistics button's column margin
        QCOMPARE(button->x(), f.screen->statisticsButton()->x());
        QCOMPARE(statisticsTop - button->geometry().bottom() - 1, 2);

        button->click();
        QCOMPARE(f.service.achievementsPresentedOver.size(), 1);

        f.service.available.onNext(false);
        f.driver.advanceBy(320);
        QCOMPARE(button->alpha(), 0.0);
        QVERIFY(!button->isVisible());
        QCOMPARE(button->x(), hiddenX);
        QCOMPARE(recorder.names(button, QAccessible::Alert).size(), 1);
    }

    void appearingHidesTheBarAndLetsTheScreenSleep()
    {
        Fixture f;
        QVERIFY(f.nav.isNavigationBarHidden());
        QCOMPARE(f.idleTimer.calls, std::vector<bool>({false}));
        f.screen->statisticsButton()->click();
        QCOMPARE(f.stack(), QStringList({"MenuViewController", "statistics"}));
        QVERIFY(!f.nav.isNavigationBarHidden());
        f.idleTimer.setIdleTimerDisabled(true);
        f.nav.popViewController(false);
        QVERIFY(f.nav.isNavigationBarHidden());
        QVERIFY(!f.idleTimer.isIdleTimerDisabled());
    }

    void everyControlHasAName()
    {
        AccessibilityRecorder recorder;
        Fixture f;
        f.service.available.onNext(true);
        f.screen->playButton()->click();
        f.finishAnimations();
        QCOMPARE(unnamedControls(&f.nav), QStringList());
        QCOMPARE(unnamedElements(&f.nav).join("; "), QString());
        // Open, the centre shows a close mark and says so; it speaks of all three modes.
        QCOMPARE(f.screen->playButton()->accessibleName(), "Close the choice of game");
        QVERIFY(f.screen->playButton()->accessibleDescription().contains("against the computer"));
        f.screen->playButton()->close();
        f.finishAnimations();
        QCOMPARE(f.screen->playButton()->accessibleName(), "New game");
        QCOMPARE(f.screen->playButton()->modeButtons().at(0)->accessibleName(), "Single player");
        QCOMPARE(f.screen->playButton()->modeButtons().at(1)->accessibleName(), "Two players");
        QCOMPARE(f.screen->playButton()->modeButtons().at(2)->accessibleName(), "vs computer");
    }
};

QTEST_MAIN(TestMenuScreen)
#include "tst_menuscreen.moc"
