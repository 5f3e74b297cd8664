#include "manualanimationdriver.h"
#include "resizerecorder.h"

#include "platform/device/deviceprofile.h"
#include "platform/device/windowgeometry.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/deferredminimumsize.h"
#include "screens/navigation/navigationbar.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"
#include "screens/navigation/screenreserve.h"
#include "screens/navigation/viewcontroller.h"
#include "screens/navigation/windowscene.h"

#include "game/rx/disposebag.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// A screen that writes down what happens to it, in order, into a shared log.
class LoggingScreen : public ViewController
{
public:
    LoggingScreen(QString name, QStringList &log)
        : m_name(std::move(name))
        , m_log(log)
    {
        setAccessibilityIdentifier(m_name);
        for (auto [subject, event] :
             {std::pair{&viewWillAppear(), "willAppear"}, std::pair{&viewDidAppear(), "didAppear"},
              std::pair{&viewWillDisappear(), "willDisappear"}, std::pair{&viewDidDisappear(), "didDisappear"}}) {
            subject->asObservable()
                .subscribe([this, event = QString::fromLatin1(event)](bool animated) {
                    m_log.append(QStringLiteral("%1 %2%3").arg(m_name, event, animated ? " animated" : ""));
                })
                .disposed(m_bag);
        }
    }
    void prepare(const Segue &segue) override
    {
        m_log.append(QStringLiteral("%1 prepares %2 for %3")
                         .arg(m_name, segue.destination->accessibilityIdentifier(), segue.identifier));
    }
    int loads = 0;

protected:
    void viewDidLoad() override { ++loads; }

private:
    QString m_name;
    QStringList &m_log;
    rx::DisposeBag m_bag;
};

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    void init() { DeviceProfile::setCurrent(DeviceProfile::phone()); }

    void pushAndPopTellTheScreensInOrder()
    {
        QStringList log;
        NavigationController nav;
        nav.resize(375, 667);
        auto *root = new LoggingScreen("root", log);
        nav.pushViewController(root, false);
        QCOMPARE(log, QStringList({"root willAppear", "root didAppear"}));
        QCOMPARE(root->loads, 1);
        QCOMPARE(root->navigationController(), &nav);

        log.clear();
        auto *next = new LoggingScreen("next", log);
        nav.pushViewController(next, false);
        QCOMPARE(log, QStringList({"next willAppear", "root willDisappear", "root didDisappear", "next didAppear"}));
        QCOMPARE(nav.topViewController(), next);
        QCOMPARE(nav.viewControllers(), (QList<ViewController *>{root, next}));
        QVERIFY(root->isHidden() && next->isVisibleTo(&nav));
        QCOMPARE(next->geometry(), nav.findChild<QWidget *>("NavigationContent")->rect());

        log.clear();
        QPointer<ViewController> popped = nav.popViewController(false);
        QCOMPARE(popped.data(), next);
        QCOMPARE(log, QStringList({"root willAppear", "next willDisappear", "next didDisappear", "root didAppear"}));
        QCOMPARE(nav.topViewController(), root);
        QVERIFY(!popped->navigationController());
        QTRY_VERIFY(!popped); // deleted once gone

        // The root stays.
        QVERIFY(!nav.popViewController(true));
        QCOMPARE(root->loads, 1);
    }

    void animatedTransitionsFinishBeforeTheyAreAnnounced()
    {
        ManualAnimationDriver driver;
        QStringList log;
        NavigationController nav;
        nav.resize(375, 667);
        nav.pushViewController(new LoggingScreen("root", log), false);
        log.clear();
        auto *next = new LoggingScreen("next", log);
        nav.pushViewController(next, true);
        QCOMPARE(log, QStringList({"next willAppear animated", "root willDisappear animated"}));
        QVERIFY(nav.isTransitioning());
        driver.advanceBy(NavigationController::transitionMs / 2);
        QVERIFY(next->x() > 0 && next->x() < nav.width()); // sliding in from the right
        driver.advanceBy(NavigationController::transitionMs);
        QVERIFY(!nav.isTransitioning());
        QCOMPARE(log.last(), "next didAppear animated");
        QCOMPARE(next->x(), 0);

        // A push during a transition completes the running one first.
        log.clear();
        nav.popViewController(true);
        auto *third = new LoggingScreen("third", log);
        nav.pushViewController(third, false);
        QCOMPARE(log, QStringList({"root willAppear animated", "next willDisappear animated",
                                   "next didDisappear animated", "root didAppear animated", "third willAppear",
                                   "root willDisappear", "root didDisappear", "third didAppear"}));
        QCOMPARE(nav.viewControllers().size(), 2);
    }

    // The destination is built from what the source hands over, so the
    // source need not know the screen it leads to; the source prepares it
    // before it appears.
    void aSegueBuildsItsDestinationFromTheHandOver()
    {
        QStringList log;
        NavigationController nav;
        auto *root = new LoggingScreen("root", log);
        nav.pushViewController(root, false);
        Segue seen;
        log.clear();
        nav.registerSegue("result", [&log, &seen](const Segue &segue) {
            seen = segue;
            return new LoggingScreen(segue.handed<QString>(), log);
        });
        QVERIFY(root->performSegue("result", QStringLiteral("handed screen")));
        QCOMPARE(seen.identifier, "result");
        QCOMPARE(seen.source, static_cast<ViewController *>(root));
        QVERIFY(!seen.destination); // not yet built while the factory runs
        QCOMPARE(nav.topViewController()->accessibilityIdentifier(), "handed screen");
        QCOMPARE(log.mid(0, 2),
                 QStringList({"root prepares handed screen for result", "handed screen willAppear animated"}));
        // Nothing handed over, or something else: the factory gets a default.
        QVERIFY(nav.topViewController()->performSegue("result"));
        QCOMPARE(nav.topViewController()->accessibilityIdentifier(), QString());
        QVERIFY(nav.topViewController()->performSegue("result", 7));
        QCOMPARE(nav.topViewController()->accessibilityIdentifier(), QString());
        QCOMPARE(seen.handed<int>(), 7);

        QTest::ignoreMessage(QtWarningMsg, "NavigationController: no segue named \"nowhere\"");
        QVERIFY(!nav.topViewController()->performSegue("nowhere"));
        QVERIFY(!ViewController().performSegue("result")); // on no stack
    }

    void aReservedScreenIsMadeAheadInStepsAndHandedOverOnce()
    {
        QStringList log;
        int made = 0;
        QPointer<QLabel> label;
        ResizeRecorder resizes;
        ScreenReserve reserve([&] {
            auto *screen = new LoggingScreen(QStringLiteral("game %1").arg(++made), log);
            auto *layout = new QVBoxLayout(screen);
            layout->setContentsMargins(0, 0, 0, 0);
            label = new QLabel(QStringLiteral("board"));
            resizes.watch(label);
            layout->addWidget(label);
            return screen;
        });

        // Nothing is made before the event loop is idle, and then in steps.
        reserve.prepare(QSize(300, 500));
        QCOMPARE(made, 0);
        QVERIFY(reserve.isPreparing());
        QVERIFY(!reserve.isReady());
        QCoreApplication::processEvents();
        QCOMPARE(made, 1);
        QVERIFY(!reserve.isReady());
        QTRY_VERIFY(reserve.isReady());
        QVERIFY(!reserve.isPreparing());

        // Asking again while one waits makes no second one.
        reserve.prepare(QSize(200, 200));
        QCoreApplication::processEvents();
        QCOMPARE(made, 1);

        ViewController *screen = reserve.take();
        QCOMPARE(screen->accessibilityIdentifier(), QStringLiteral("game 1"));
        QVERIFY(!screen->parentWidget());
        QVERIFY(!screen->isVisible());
        QVERIFY(screen->testAttribute(Qt::WA_WState_Polished));
        QVERIFY(label->testAttribute(Qt::WA_WState_Polished));
        QCOMPARE(screen->size(), QSize(300, 500));
        QCOMPARE(label->geometry(), QRect(0, 0, 300, 500));
        // Its widgets had the resizes showing would bring, so what fits
        // itself to its size did so ahead too.
        QCOMPARE(resizes.sizes(label), QList<QSize>{QSize(300, 500)});
        QVERIFY(!label->testAttribute(Qt::WA_PendingResizeEvent));
        QCOMPARE(static_cast<LoggingScreen *>(screen)->loads, 0); // loaded when pushed, as any screen

        NavigationController nav;
        nav.pushViewController(new LoggingScreen("root", log), false);
        nav.registerSegue("game", [&reserve] { return reserve.take(); });
        QVERIFY(nav.topViewController()->performSegue("game"));
        // The one taken is gone from the reserve: the next is made afresh.
        QCOMPARE(nav.topViewController()->accessibilityIdentifier(), QStringLiteral("game 2"));
        QCOMPARE(made, 2);
        delete screen;

        // Taken before it is ready, it is made at once, and the steps
        // already scheduled make no other.
        reserve.prepare(QSize(300, 500));
        std::unique_ptr<ViewController> early(reserve.take());
        QCOMPARE(made, 3);
        QVERIFY(!reserve.isPreparing());
        QTest::qWait(20);
        QCOMPARE(made, 3);

        // One never taken goes with the reserve.
        reserve.prepare(QSize(300, 500));
        QTRY_VERIFY(reserve.isReady());
        QPointer<QLabel> unused = label;
        {
            ScreenReserve other([&] { return reserve.take(); });
            other.prepare(QSize(300, 500));
            QTRY_VERIFY(other.isReady());
        }
        QVERIFY(!unused);
    }

    void theBarShowsTheTopScreensItems()
    {
        NavigationController nav;
        auto *root = new ViewController;
        root->navigationItem()->setTitle("Root");
        nav.pushViewController(root, false);
        auto *screen = new ViewController;
        auto *close = new BarButtonItem(QStringLiteral("Close Game"), screen);
        close->setAccessibilityIdentifier("Close");
        close->setAccessibleName("Close");
        auto *label = new QLabel("0:07");
        auto *clock = new BarButtonItem(label, screen);
        screen->navigationItem()->setLeftItems({close});
        screen->navigationItem()->setRightItem(clock);
        nav.pushViewController(screen, false);

        NavigationBar *bar = nav.navigationBar();
        auto *button = qobject_cast<QAbstractButton *>(bar->widgetFor(close));
        QVERIFY(button);
        QCOMPARE(button->objectName(), "Close");
        QCOMPARE(button->accessibleName(), "Close");
        QCOMPARE(bar->widgetFor(clock), label);
        QCOMPARE(label->parentWidget(), bar);
        int taps = 0;
        connect(close, &BarButtonItem::triggered, [&taps] { ++taps; });
        button->click();
        QCOMPARE(taps, 1);

        // A replaced custom widget is handed back to its item, not destroyed.
        screen->navigationItem()->setRightItem(nullptr);
        QVERIFY(!bar->widgetFor(clock));
        QVERIFY(!label->parentWidget() && label->isHidden());
        QPointer<QLabel> guard(label);
        delete clock;
        QVERIFY(!guard);

        nav.popViewController(false);
        QCOMPARE(bar->title(), "Root");
        QVERIFY(!bar->widgetFor(close));
    }

    void theBarHidesAndShows()
    {
        ManualAnimationDriver driver;
        NavigationController nav;
        nav.pushViewController(new ViewController, false);
        nav.show();
        nav.setNavigationBarHidden(true, false);
        QVERIFY(nav.isNavigationBarHidden());
        QVERIFY(nav.navigationBar()->isHidden());
        nav.setNavigationBarHidden(false, true);
        QVERIFY(nav.navigationBar()->isVisible());
        driver.advanceBy(NavigationController::barTransitionMs / 2);
        QVERIFY(nav.navigationBar()->height() > 0 && nav.navigationBar()->height() < NavigationBar::barHeight);
        driver.advanceBy(NavigationController::barTransitionMs);
        QCOMPARE(nav.navigationBar()->height(), NavigationBar::barHeight);
        QVERIFY(nav.isInteractivePopGestureEnabled());
    }

    // A screen that comes in as the bar appears, or leaves as it goes, is
    // laid out once: laying it out again at each frame of the bar held the
    // thread for most of every frame of the slide.
    void theBarSlidesOverScreensThatKeepTheirSize()
    {
        ManualAnimationDriver driver;
        NavigationController nav;
        nav.resize(375, 667);
        nav.show();
        QWidget *content = nav.findChild<QWidget *>("NavigationContent");
        rx::DisposeBag bag;
        const auto withBar = [&nav, &bag](ViewController *screen, bool bar) {
            screen->viewWillAppear()
                .asObservable()
                .subscribe([&nav, bar](bool animated) { nav.setNavigationBarHidden(!bar, animated); })
                .disposed(bag);
            return screen;
        };
        auto *root = withBar(new ViewController, false);
        nav.pushViewController(root, false);
        QTRY_COMPARE(root->size(), QSize(375, 667));

        ResizeRecorder resizes;
        resizes.watch(root);
        auto *next = withBar(new ViewController, true);
        resizes.watch(next);
        QPalette shade = next->palette();
        shade.setColor(QPalette::Window, Qt::darkCyan);
        next->setPalette(shade);

        const QSize withBarSize(375, 667 - NavigationBar::barHeight);
        nav.pushViewController(next, true);
        for (int ms = 0; ms <= NavigationController::transitionMs; ms += 16) {
            driver.advanceBy(16);
            QCoreApplication::processEvents();
            // Held at the bottom: the growing bar covers nothing of it, and
            // the strip still above it shows its own background.
            QCOMPARE(next->geometry().bottom(), content->height() - 1);
            if (next->y() > 0) {
                const auto strips = content->findChildren<QWidget *>("BackgroundStrip");
                QVERIFY(std::any_of(strips.begin(), strips.end(), [next](QWidget *strip) {
                    return strip->isVisible() && strip->geometry() == QRect(next->x(), 0, next->width(), next->y())
                           && strip->palette().color(QPalette::Window) == next->palette().color(QPalette::Window);
                }));
            }
        }
        QVERIFY(!nav.isTransitioning());
        QVERIFY(content->findChildren<QWidget *>("BackgroundStrip").isEmpty());
        QCOMPARE(next->geometry(), content->rect());
        QCOMPARE(resizes.sizes(next), QList<QSize>{withBarSize});
        QVERIFY(resizes.sizes(root).isEmpty());

        // Back: the bar goes, and the root, its size unchanged, is not laid out again.
        nav.popViewController(true);
        for (int ms = 0; ms <= NavigationController::transitionMs; ms += 16) {
            driver.advanceBy(16);
            QCoreApplication::processEvents();
        }
        QCOMPARE(root->geometry(), content->rect());
        QCOMPARE(root->size(), QSize(375, 667));
        QVERIFY(resizes.sizes(root).isEmpty());
    }

    // The result turns the window upright as it slides in; on a real display
    // the new size arrives mid-slide, and the screens must take it then.
    void aWindowTurnedMidSlideSizesTheScreensAnew()
    {
        ManualAnimationDriver driver;
        NavigationController nav;
        nav.resize(667, 375);
        nav.show();
        QWidget *content = nav.findChild<QWidget *>("NavigationContent");
        auto *root = new ViewController;
        nav.pushViewController(root, false);
        auto *next = new ViewController;
        nav.pushViewController(next, true);
        driver.advanceBy(NavigationController::transitionMs / 3);
        nav.resize(375, 667);
        QCoreApplication::processEvents();
        driver.advanceBy(16);
        QVERIFY(nav.isTransitioning());
        QCOMPARE(next->size(), content->size());
        QCOMPARE(root->size(), content->size());
        QVERIFY(next->x() > 0);
    }

    void keysNobodyFocusedTookReachTheTopScreen()
    {
        struct KeyScreen : ViewController
        {
            void keyPressEvent(QKeyEvent *event) override
            {
                keys.append(event->key());
                if (event->key() != Qt::Key_X)
                    event->ignore();
            }
            QList<int> keys;
        };
        NavigationController nav;
        auto *screen = new KeyScreen;
        nav.pushViewController(screen, false);
        QTest::keyClick(&nav, Qt::Key_X);
        // An ignored key comes back to the stack and is not sent again.
        QTest::keyClick(nav.navigationBar(), Qt::Key_Y);
        QCOMPARE(screen->keys, (QList<int>{Qt::Key_X, Qt::Key_Y}));
    }

    void theFocusAScreenTakesAsItAppearsHoldsInAWindowShownBefore()
    {
        // As at start: the window is shown, then its first screen pushed,
        // and the window activates after. The screen takes the focus itself,
        // so that no control shows a focus ring before a key is pressed.
        NavigationController nav;
        nav.resize(300, 400);
        nav.show();
        auto *screen = new ViewController;
        auto *button = new QPushButton(QStringLiteral("First"), screen);
        rx::DisposeBag bag;
        screen->viewWillAppear().asObservable().subscribe([screen](bool) { screen->setFocus(); }).disposed(bag);
        nav.pushViewController(screen, false);
        nav.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&nav));
        QCOMPARE(QApplication::focusWidget(), screen);
        // The first Tab reaches the first control.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button);
    }

    void theTopScreenMayHoldTheWindowOpen()
    {
        int asked = 0;
        std::function<void()> yes;
        struct AskingScreen : ViewController
        {
            AskingScreen(int &asked, std::function<void()> &yes)
                : asked(asked)
                , yes(yes)
            {
            }
            bool windowShouldClose(const std::function<void()> &close) override
            {
                ++asked;
                yes = close;
                return false;
            }
            int &asked;
            std::function<void()> &yes;
        };
        NavigationController nav;
        nav.pushViewController(new ViewController, false);
        nav.show();
        nav.pushViewController(new AskingScreen(asked, yes), false);
        QVERIFY(!nav.close());
        QVERIFY(nav.isVisible());
        QCOMPARE(asked, 1);

        // Its yes closes the window without asking again.
        yes();
        QVERIFY(!nav.isVisible());
        QCOMPARE(asked, 1);

        // A screen that does not ask lets it close at once.
        nav.show();
        nav.popViewController(false);
        QVERIFY(nav.close());
        QCOMPARE(asked, 1);
    }

    // A presented dialog needs no window of its own (nor a window manager
    // to hand the keyboard back): it is drawn in the screen's window, takes
    // the keys while it shows and gives them back to where they were.
    void aPresentedDialogShowsInsideTheWindowAndGivesTheKeysBack()
    {
        NavigationController nav;
        auto *screen = new ViewController;
        auto *field = new QLineEdit(screen);
        nav.resize(400, 600);
        nav.pushViewController(screen, false);
        nav.show();
        QVERIFY(QTest::qWaitForWindowActive(&nav));
        field->setFocus();
        QPointer<QDialog> dialog = new QDialog;
        QVERIFY(screen->present(dialog, false));
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isWindow());
        QCOMPARE(dialog->window(), &nav);
        QCOMPARE(QApplication::focusWidget(), dialog.data());
        // Assistive technology finds it where it is drawn, over the window.
        dialog->resize(200, 100);
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(dialog.data());
        QVERIFY(spoken);
        const QRect windowArea(nav.mapToGlobal(QPoint(0, 0)), nav.size());
        QCOMPARE(spoken->rect(), QRect(dialog->mapToGlobal(QPoint(0, 0)), dialog->size()));
        QVERIFY(windowArea.contains(spoken->rect()));
        QVERIFY(spoken->rect().topLeft() != windowArea.topLeft());
        QTest::keyClicks(field, QStringLiteral("typed behind"));
        QCOMPARE(field->text(), QString());
        dialog->reject();
        QTRY_VERIFY(!dialog);
        QCOMPARE(QApplication::activeWindow(), &nav);
        QCOMPARE(QApplication::focusWidget(), field);
    }

    void screensAreFoundByTheirIdentifier()
    {
        ViewController screen;
        screen.setAccessibilityIdentifier("MenuViewController");
        QCOMPARE(screen.objectName(), "MenuViewController");
        QCOMPARE(screen.accessibleName(), "MenuViewController");
        screen.setAccessibleName("Menu");
        screen.setAccessibilityIdentifier("Other");
        QCOMPARE(screen.accessibleName(), "Menu"); // a spoken name stays
    }

    void theWindowTurnsOnlyToOneOrientation_data()
    {
        QTest::addColumn<unsigned>("mask");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QSize>("size");
        QTest::newRow("landscape right") << InterfaceOrientation::landscapeRight << true << QSize(667, 375);
        QTest::newRow("portrait") << InterfaceOrientation::portrait << true << QSize(375, 667);
        QTest::newRow("both landscapes") << InterfaceOrientation::landscape << false << QSize(375, 667);
        QTest::newRow("all") << InterfaceOrientation::all << false << QSize(375, 667);
        QTest::newRow("none") << 0u << false << QSize(375, 667);
    }
    void theWindowTurnsOnlyToOneOrientation()
    {
        QFETCH(unsigned, mask);
        QFETCH(bool, accepted);
        QFETCH(QSize, size);
        QWidget window;
        window.resize(375, 667);
        QCOMPARE(WindowScene::requestGeometryUpdate(&window, mask), accepted);
        QCOMPARE(window.size(), size);
        QCOMPARE(DeviceProfile::current().size().toSize(), size);
        QVERIFY(!WindowScene::requestGeometryUpdate(nullptr, InterfaceOrientation::portrait));
    }

    // The test screen is 800 x 800, room enough for these windows on
    // either side.
    void aWindowThePlayerResizedKeepsItsSizeAndTurnsOnItsSide()
    {
        QWidget window;
        window.resize(380, 540);
        QVERIFY(WindowScene::requestGeometryUpdate(&window, InterfaceOrientation::portrait));
        QCOMPARE(window.size(), QSize(380, 540));
        QVERIFY(WindowScene::requestGeometryUpdate(&window, InterfaceOrientation::landscapeLeft));
        QCOMPARE(window.size(), QSize(560, 380)); // its height, and the landscape minimum width
        QVERIFY(WindowScene::requestGeometryUpdate(&window, InterfaceOrientation::landscapeRight));
        QCOMPARE(window.size(), QSize(560, 380));
        window.resize(700, 380);
        QVERIFY(WindowScene::requestGeometryUpdate(&window, InterfaceOrientation::portrait));
        QCOMPARE(window.size(), QSize(380, 700));
    }

    // A tablet fitted to a small screen must not turn into the device's
    // 1024 x 768, which runs off it; nor may the portrait minimum hold a
    // landscape window up, nor the landscape minimum push it off the screen.
    void aFittedWindowTurnsOnItsSideWithinTheScreen()
    {
        DeviceProfile::setCurrent(DeviceProfile::tablet());
        QWidget window;
        const QSize room = window.screen()->availableGeometry().size() - WindowGeometry::frameAllowance;
        const QSize portrait = QSize(414, 552).boundedTo(room);
        window.resize(portrait);
        QVERIFY(WindowScene::requestGeometryUpdate(&window, InterfaceOrientation::landscapeRight));
        QVERIFY(window.width() > window.height());
        QVERIFY(window.width() <= room.width() && window.height() <= room.height());
        QCOMPARE(window.minimumSize(), WindowGeometry::minimumIn(WindowGeometry::minimumSize(DeviceProfile::current()),
                                                                 window.screen()->availableGeometry().size()));
        QCOMPARE(window.size(), portrait.transposed().expandedTo(window.minimumSize()));
        QVERIFY(WindowScene::requestGeometryUpdate(&window, InterfaceOrientation::portrait));
        QVERIFY(window.width() < window.height());
        QVERIFY(window.width() <= room.width() && window.height() <= room.height());
        QCOMPARE(window.minimumSize(), WindowGeometry::minimumIn(WindowGeometry::minimumSize(DeviceProfile::tablet()),
                                                                 window.screen()->availableGeometry().size()));
    }

    // Each size the window passes through lays the whole screen out: a
    // turn goes straight to its new size, never through a minimum's.
    void aShownWindowTurnsInOneResize()
    {
        DeviceProfile turned = DeviceProfile::tablet();
        turned.setOrientation(DeviceProfile::Orientation::landscapeLeft);
        DeviceProfile::setCurrent(turned);
        QWidget window;
        const QSize available = window.screen()->availableGeometry().size();
        const QSize landscape = WindowGeometry::minimumIn(WindowGeometry::minimumSize(turned), available);
        window.setMinimumSize(landscape);
        window.resize(landscape);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ResizeRecorder resizes;
        resizes.watch(&window);
        for (unsigned mask : {InterfaceOrientation::portrait, InterfaceOrientation::landscapeLeft}) {
            resizes.clear();
            QVERIFY(WindowScene::requestGeometryUpdate(&window, mask));
            QTRY_COMPARE(resizes.sizes(&window).size(), 1);
            QCoreApplication::processEvents();
            QCOMPARE(resizes.sizes(&window), QList<QSize>{window.size()});
            QCOMPARE(window.size(), window.size().expandedTo(window.minimumSize()));
            // The new minimum follows once the window system has the size.
            QTRY_COMPARE(window.minimumSize(),
                         WindowGeometry::minimumIn(WindowGeometry::minimumSize(DeviceProfile::current()), available));
            QCOMPARE(resizes.sizes(&window), QList<QSize>{window.size()});
        }
        // Two turns at once: the last one's minimum stays, and nothing of
        // the first is left to come later.
        QVERIFY(WindowScene::requestGeometryUpdate(&window, InterfaceOrientation::portrait));
        QVERIFY(WindowScene::requestGeometryUpdate(&window, InterfaceOrientation::landscapeLeft));
        QCOMPARE(window.findChildren<DeferredMinimumSize *>().size(), 1);
        QTRY_COMPARE(window.minimumSize(), landscape);
        QTRY_VERIFY(window.findChildren<DeferredMinimumSize *>().isEmpty());
        QCOMPARE(window.minimumSize(), landscape);
    }
};

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
