#include "fakeclock.h"
#include "fakemenugameservice.h"
#include "gamescreencollaborators.h"
#include "memorystore.h"

#include "game/computer/computerstatistics.h"
#include "game/computer/computerstrength.h"
#include "game/gamemanager.h"
#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "platform/device/deviceprofile.h"
#include "platform/device/windowgeometry.h"
#include "screens/game/gameviewcontroller.h"
#include "screens/menu/menuviewcontroller.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/outcome/boardsnapshot.h"
#include "screens/result/resultviewcontroller.h"
#include "screens/statistics/statisticsviewcontroller.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/radialmenu/radialmenu.h"
#include "views/widgets/ripplebutton.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QFontMetricsF>
#include <QGraphicsView>
#include <QLabel>
#include <QTest>

#include <memory>

using namespace kestrune;
using namespace kestrune::test;

namespace {

QRect inWindow(const QWidget *widget, const QWidget *window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// Scrolled lists may cut their rows; the result's board cards wait at the
// window's edges, showing a strip until the player pulls them in.
bool mayBeCut(const QWidget *widget, const QWidget *window)
{
    static const QStringList peeking{"leftBoardButton", "rightBoardButton", "leftShareButton", "rightShareButton"};
    for (const QWidget *w = widget; w && w != window; w = w->parentWidget()) {
        if (peeking.contains(w->objectName()) || (w != widget && qobject_cast<const QAbstractScrollArea *>(w)))
            return true;
    }
    return false;
}

QString nameOf(const QWidget *widget)
{
    QString name = widget->objectName();
    if (name.isEmpty()) {
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            name = button->text();
        else if (const auto *label = qobject_cast<const QLabel *>(widget))
            name = label->text().left(20);
    }
    return QStringLiteral("%1 '%2'").arg(QLatin1String(widget->metaObject()->className()), name);
}

// What a player could not use or read on the window: a control or a text
// cut by the window or by a box it sits in, and two controls, or two texts,
// on top of each other. Boards turned in a graphics view are checked in
// their own coordinates.
QStringList collisions(QWidget &window)
{
    QList<QWidget *> controls;
    QList<QWidget *> texts;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(&window) || widget->size().isEmpty() || widget->window() != &window)
            continue;
        if (qobject_cast<QAbstractButton *>(widget))
            controls << widget;
        else if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().trimmed().isEmpty())
            texts << widget;
    }
    QStringList found;
    auto checkCut = [&](QWidget *widget) {
        if (mayBeCut(widget, &window))
            return;
        const QRect rect = inWindow(widget, &window);
        for (QWidget *box = widget->parentWidget(); box; box = box->parentWidget()) {
            const QRect boxRect = box == &window ? window.rect() : inWindow(box, &window);
            if (!boxRect.contains(rect)) {
                found << nameOf(widget) + " at " + QDebug::toString(rect) + " is cut by " + nameOf(box);
                return;
            }
            if (box == &window)
                return;
        }
    };
    auto checkApart = [&](const QList<QWidget *> &widgets) {
        for (int i = 0; i < widgets.size(); ++i) {
            for (int j = i + 1; j < widgets.size(); ++j) {
                QWidget *a = widgets[i];
                QWidget *b = widgets[j];
                if (a->isAncestorOf(b) || b->isAncestorOf(a))
                    continue;
                if (inWindow(a, &window).intersects(inWindow(b, &window)))
                    found << QStringLiteral("%1 overlaps %2").arg(nameOf(a), nameOf(b));
            }
        }
    };
    for (QWidget *widget : controls + texts)
        checkCut(widget);
    checkApart(controls);
    checkApart(texts);
    return found;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// A window of the given size with a plain screen at the root of its stack.
struct Stage
{
    explicit Stage(QSize size)
    {
        nav.setAttribute(Qt::WA_DontShowOnScreen);
        nav.resize(size);
        nav.pushViewController(new ViewController, false);
        nav.show();
    }
    NavigationController nav;
};

// The same with the game screen of a match pushed on it.
struct GameStage : GameScreenCollaborators, Stage
{
    GameStage(QSize size, int players, bool computer)
        : Stage(size)
    {
        codes = {"5831", "2746"};
        if (computer)
            ComputerStrengths::store(store, ComputerStrength::normal);
        toast.setHost(&nav);
        screen = new GameViewController(environment);
        screen->setNumberOfPlayers(players);
        screen->setAgainstComputer(computer);
        nav.pushViewController(screen, false);
        settle();
    }
    void shoot(const QString &code, int view = 0)
    {
        clock.advance(7);
        KeyboardView *keypad = screen->gameViews().at(view)->keyboardView();
        for (QChar digit : code)
            keypad->numericButtons().at(digit.digitValue() - 1)->click();
        keypad->shotButton()->click();
        settle();
        scheduler.runAll();
        settle();
    }

    GameViewController *screen = nullptr;
};

// A window of the given size on the menu, with a record and the game
// service's button in.
struct MenuStage
{
    explicit MenuStage(QSize size)
    {
        store.setInteger("games", 6);
        store.setInteger("wins", 3);
        environment.store = &store;
        environment.gameService = &service;
        nav.setAttribute(Qt::WA_DontShowOnScreen);
        menu = new MenuViewController(environment);
        nav.pushViewController(menu, false);
        nav.resize(size);
        nav.show();
        service.available.onNext(true);
        QTest::qWait(1500); // the service's button slides in
    }

    MemoryStore store;
    FakeMenuGameService service;
    MenuEnvironment environment;
    NavigationController nav;
    MenuViewController *menu = nullptr;
};

std::shared_ptr<GameManaging> wonMatch(FakeClock &clock)
{
    GameEnvironment environment;
    environment.clock = &clock;
    environment.drawCode = [] { return std::string("5831"); };
    std::shared_ptr<GameManaging> match = GameManager::create(1, environment);
    match->codes();
    match->currentGame()->shot("1234");
    clock.advance(40);
    match->currentGame()->shot("5831");
    return match;
}

} // namespace

class TestSmallWindow : public QObject
{
    Q_OBJECT

    // Longer than the menu's fan-out animation.
    static constexpr int animationsMs = 1500;

    QSize m_size;

    void verifyNothingCollides(QWidget &window)
    {
        settle();
        const QStringList found = collisions(window);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

private slots:
    void init()
    {
        QFETCH_GLOBAL(QString, device);
        const DeviceProfile profile = *DeviceProfile::fromName(device);
        DeviceProfile::setCurrent(profile);
        m_size = WindowGeometry::minimumSize(profile);
    }
    void cleanup() { DeviceProfile::setCurrent(DeviceProfile::phone()); }

    void initTestCase_data()
    {
        QTest::addColumn<QString>("device");
        QTest::newRow("phone") << "phone";
        QTest::newRow("tablet") << "tablet";
    }

    void theMenuAtTheMinimum()
    {
        MenuStage stage(m_size);
        verifyNothingCollides(stage.nav);
        stage.menu->playButton()->click();
        QTest::qWait(animationsMs); // the modes fan out
        verifyNothingCollides(stage.nav);
    }

    // The check itself sees what the minimum is there to prevent.
    void aTinyWindowIsSeenToCollide()
    {
        MenuStage stage(QSize(200, 300));
        stage.menu->playButton()->click();
        QTest::qWait(animationsMs);
        QVERIFY(!collisions(stage.nav).isEmpty());
    }

    void faceToFaceAtTheLandscapeMinimum()
    {
        if (!DeviceProfile::current().isTablet())
            QSKIP("Only a tablet plays face to face.");
        GameStage stage(m_size, 2, false);
        stage.shoot("1234");
        stage.screen->simultaneousItem()->trigger();
        QVERIFY(DeviceProfile::current().isLandscape());
        stage.nav.resize(WindowGeometry::minimumSize(DeviceProfile::current()));
        verifyNothingCollides(stage.nav);
    }

    void aGameAtTheMinimum_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<bool>("computer");
        QTest::newRow("one player") << 1 << false;
        QTest::newRow("two players") << 2 << false;
        QTest::newRow("against the computer") << 2 << true;
    }
    void aGameAtTheMinimum()
    {
        QFETCH(int, players);
        QFETCH(bool, computer);
        GameStage stage(m_size, players, computer);
        verifyNothingCollides(stage.nav);
        for (const char *shot : {"1234", "5678", "5813"})
            stage.shoot(shot);
        verifyNothingCollides(stage.nav);
    }

    // The minimum, and a tablet's window fitted to a 1366x768 screen, which
    // is shorter than the tablet's minimum.
    void theResultAtTheMinimum_data()
    {
        QTest::addColumn<bool>("fittedToALaptop");
        QTest::newRow("minimum") << false;
        QTest::newRow("1366x768") << true;
    }

    void theResultAtTheMinimum()
    {
        QFETCH(bool, fittedToALaptop);
        const DeviceProfile &device = DeviceProfile::current();
        const QSize size =
            fittedToALaptop ? WindowGeometry::fitted(device.size().toSize(), QSize(1366, 740), m_size) : m_size;
        Stage stage(size);
        FakeClock clock;
        auto match = wonMatch(clock);
        auto *result = new ResultViewController;
        result->setGameManager(match);
        result->setGameResults({BoardSnapshot::render(match->games().front(), QSize(300, 420))});
        stage.nav.pushViewController(result, false);
        verifyNothingCollides(stage.nav);
        // A narrow window shrinks the description's line rather than cut it.
        if (auto *description = result->findChild<QLabel *>(QStringLiteral("resultDescriptionLabel"))) {
            const QFontMetricsF metrics(description->font());
            for (const QString &line : description->text().split(QLatin1Char('\n')))
                QVERIFY2(metrics.horizontalAdvance(line) <= description->width(), qPrintable(line));
        }
    }

    void theStatisticsAtTheMinimum()
    {
        MemoryStore store;
        store.setInteger("games", 128);
        store.setInteger("wins", 83);
        store.setInteger("losses", 45);
        store.setInteger("secondsSpentInGame", 19507);
        store.setInteger("secondsSpentInWonGames", 11020);
        ComputerStatistics::add(store, ComputerStrength::easy, ComputerStatistics::Outcome::win);
        Stage stage(m_size);
        stage.nav.pushViewController(new StatisticsViewController(store), false);
        verifyNothingCollides(stage.nav);
    }
};

QTEST_MAIN(TestSmallWindow)
#include "tst_smallwindow.moc"
