#include "accessibilityrecorder.h"
#include "fakes/managerfixture.h"
#include "fakes/scriptedtransport.h"

#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/client/servicerouter.h"
#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "gameservice/local/localservicebackend.h"
#include "gameservice/network/networkservicebackend.h"
#include "gameservice/screens/completionbanner.h"
#include "gameservice/screens/leaderboardpage.h"
#include "gameservice/screens/servicescreen.h"
#include "gameservice/screens/signindialog.h"
#include "gameservice/screens/widgetservicescreenpresenter.h"
#include "platform/i18n/pseudotranslator.h"
#include "views/widgets/button.h"
#include "views/widgets/promptdialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QThreadPool>
#include <QTreeWidget>

#include <future>
#include <mutex>

using namespace kestrune;
using namespace kestrune::test;

// The framework's screens as widgets, offscreen.
class TestServiceScreens : public QObject
{
    Q_OBJECT

private:
    static std::shared_ptr<ServiceKit> localKit(const QTemporaryDir &dir)
    {
        return ServiceKit::create(std::make_shared<LocalServiceBackend>(
            GameServiceEnvironment::serviceFileName(dir.path()), GameServiceEnvironment::catalogue()));
    }

    // Maren signed in at the fixture's local service, its framework knowing it.
    static void signInLocally(ManagerFixture &f)
    {
        OptionalError error;
        auto backend = std::make_shared<LocalServiceBackend>(GameServiceEnvironment::serviceFileName(f.dir.path()),
                                                             GameServiceEnvironment::catalogue());
        backend->signIn(QStringLiteral("Maren"), error);
        f.kit = ServiceKit::create(backend);
        f.kit->localPlayer().setAuthenticateHandler([](auto, auto) {});
        f.kit->waitForIdle();
    }

    // The sign-in screen the kit hands over when nobody is signed in; null
    // when none comes within 30 s.
    static std::shared_ptr<SignInViewController> signInScreenOf(ServiceKit &kit)
    {
        auto handedOver = std::make_shared<std::promise<std::shared_ptr<SignInViewController>>>();
        auto future = handedOver->get_future();
        auto once = std::make_shared<std::once_flag>();
        kit.localPlayer().setAuthenticateHandler([handedOver, once](auto screen, auto) {
            if (screen)
                std::call_once(*once, [&] { handedOver->set_value(screen); });
        });
        return future.wait_for(std::chrono::seconds(30)) == std::future_status::ready ? future.get() : nullptr;
    }

private slots:
    void initTestCase()
    {
        // The raster engine paints large areas in parallel on Qt's global
        // pool; one pooled thread is enough here and keeps Qt's own threads
        // from passing data between each other, which a race checker cannot
        // follow inside an uninstrumented Qt.
        QThreadPool::globalInstance()->setMaxThreadCount(1);
    }

    // Completion banners close themselves seconds later, after the last
    // test; let them go with the test.
    void cleanupTestCase() { qDeleteAll(QApplication::topLevelWidgets()); }

    void theSignInDialogSignsInUnderTheTypedName()
    {
        QTemporaryDir dir;
        auto kit = localKit(dir);
        auto presenter = std::make_shared<WidgetServiceScreenPresenter>();
        kit->setScreenPresenter(presenter);
        QWidget menu;
        menu.show();
        const std::shared_ptr<SignInViewController> handedOver = signInScreenOf(*kit);
        QVERIFY(handedOver);
        handedOver->present(&menu, true, {});
        auto *dialog = qobject_cast<SignInDialog *>(presenter->widgetFor(handedOver.get()));
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        // Inside the window it was asked over, where it can be seen and answered.
        QVERIFY(!dialog->isWindow());
        QCOMPARE(dialog->window(), &menu);
        // Focus follows the window's activation, which a busy machine may deliver late.
        QTRY_COMPARE(QApplication::focusWidget(), dialog->nameEdit());
        // The app's own buttons, none with the platform's icons.
        const auto buttons = dialog->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 2);
        for (QPushButton *b : buttons)
            QVERIFY2(qobject_cast<Button *>(b) && b->icon().isNull(), qPrintable(b->text()));
        Button *signIn = dialog->signInButton();
        QCOMPARE(signIn->text(), QStringLiteral("Sign in"));
        QVERIFY(!signIn->isEnabled()); // no name yet
        // The field keeps its name once the placeholder is gone.
        QCOMPARE(QAccessible::queryAccessibleInterface(dialog->nameEdit())->text(QAccessible::Name), "Player name");
        QCOMPARE(unnamedElements(dialog).join("; "), QString());
        QTest::keyClicks(dialog->nameEdit(), QStringLiteral("Maren"));
        QVERIFY(signIn->isEnabled());
        QTest::mouseClick(signIn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(kit->localPlayer().isAuthenticated(), 30000);
        QCOMPARE(kit->localPlayer().displayName(), QStringLiteral("Maren"));
    }

    // On a server the dialog names it, keeps a refusal on screen for another
    // try, shows a new account's recovery code once, and can bring an
    // existing account by its code instead.
    void theSignInDialogOnAServer()
    {
        QTemporaryDir dir;
        auto transport = std::make_shared<ScriptedTransport>();
        auto kit = ServiceKit::create(std::make_shared<NetworkServiceBackend>(
            QStringLiteral("https://scores.example.org"), GameServiceEnvironment::accountFileName(dir.path()),
            GameServiceEnvironment::catalogue(), [transport](QString *) { return transport; }));
        auto presenter = std::make_shared<WidgetServiceScreenPresenter>();
        kit->setScreenPresenter(presenter);
        QWidget menu;
        menu.resize(390, 700);
        menu.show();
        const std::shared_ptr<SignInViewController> handedOver = signInScreenOf(*kit);
        QVERIFY(handedOver);
        handedOver->present(&menu, true, {});
        QPointer<SignInDialog> dialog = qobject_cast<SignInDialog *>(presenter->widgetFor(handedOver.get()));
        QVERIFY(dialog);
        QVERIFY(dialog->findChild<QLabel *>("signInIntro")->text().contains("https://scores.example.org"));
        QCOMPARE(unnamedElements(dialog).join("; "), QString());

        transport->push(refusal(400, "invalid_name"));
        QTest::keyClicks(dialog->nameEdit(), QStringLiteral("Maren"));
        QTest::mouseClick(dialog->signInButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->statusLabel()->isVisible(), 30000);
        QVERIFY(dialog->statusLabel()->text().contains("No."));
        QVERIFY(dialog->isVisible() && dialog->signInButton()->isEnabled());
        QVERIFY(!kit->localPlayer().isAuthenticated());

        transport->push(answer(201, {{"playerId", "K1"}, {"displayName", "Maren"}, {"token", "t"},
                                     {"recoveryCode", "7K2M-9QRT-ABCD"}}));
        QTest::mouseClick(dialog->signInButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(dialog->shownRecoveryCode(), QStringLiteral("7K2M-9QRT-ABCD"), 30000);
        QVERIFY(kit->localPlayer().isAuthenticated());
        QCOMPARE(kit->localPlayer().displayName(), QStringLiteral("Maren"));
        QVERIFY(dialog->isVisible()); // until the player has noted it
        QCOMPARE(unnamedElements(dialog).join("; "), QString());
        QTest::keyClick(dialog, Qt::Key_Return);
        QTRY_VERIFY(dialog.isNull());

        // Another device: the same account by its code.
        QTemporaryDir other;
        auto second = ServiceKit::create(std::make_shared<NetworkServiceBackend>(
            QStringLiteral("https://scores.example.org"), GameServiceEnvironment::accountFileName(other.path()),
            GameServiceEnvironment::catalogue(), [transport](QString *) { return transport; }));
        second->setScreenPresenter(presenter);
        auto screen = std::make_shared<SignInViewController>(second);
        screen->present(&menu, false, {});
        QPointer<SignInDialog> recovering = qobject_cast<SignInDialog *>(presenter->widgetFor(screen.get()));
        QVERIFY(recovering);
        QTest::mouseClick(recovering->existingAccountButton(), Qt::LeftButton);
        QCOMPARE(recovering->nameEdit()->placeholderText(), QStringLiteral("Recovery code"));
        transport->push(answer(200, {{"playerId", "K1"}, {"displayName", "Maren"}, {"token", "t2"},
                                     {"recoveryCode", "NEW0-CODE"}}));
        QTest::keyClicks(recovering->nameEdit(), QStringLiteral("7k2m 9qrt abcd"));
        QCOMPARE(QApplication::focusWidget(), recovering->nameEdit());
        QTest::keyClick(recovering->nameEdit(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(recovering->shownRecoveryCode(), QStringLiteral("NEW0-CODE"), 30000);
        const auto sent = transport->sent();
        QCOMPARE(sent.back().url, std::string("https://scores.example.org/v1/accounts/recover"));
        QVERIFY(second->localPlayer().isAuthenticated());
        recovering->reject(); // closing now is as good as Done
        QTRY_VERIFY(!recovering || !recovering->isVisible());
        kit->waitForIdle();
        second->waitForIdle();
    }

    // While the server has not answered, the dialog stays: closing it then
    // would lose the new account's one showing of its recovery code.
    void theSignInDialogWaitsForTheServer()
    {
        QTemporaryDir dir;
        auto transport = std::make_shared<ScriptedTransport>();
        auto gate = std::make_shared<std::promise<void>>();
        std::shared_future<void> opened = gate->get_future().share();
        auto kit = ServiceKit::create(std::make_shared<NetworkServiceBackend>(
            QStringLiteral("https://scores.example.org"), GameServiceEnvironment::accountFileName(dir.path()),
            GameServiceEnvironment::catalogue(), [transport, opened](QString *) {
                opened.wait(); // the first round trip waits for the test
                return transport;
            }));
        auto presenter = std::make_shared<WidgetServiceScreenPresenter>();
        kit->setScreenPresenter(presenter);
        QWidget menu;
        menu.resize(390, 700);
        menu.show();
        auto screen = std::make_shared<SignInViewController>(kit);
        screen->present(&menu, false, {});
        QPointer<SignInDialog> dialog = qobject_cast<SignInDialog *>(presenter->widgetFor(screen.get()));
        QVERIFY(dialog);
        transport->push(answer(201, {{"playerId", "K1"}, {"displayName", "Maren"}, {"token", "t"}, {"recoveryCode", "C"}}));
        QTest::keyClicks(dialog->nameEdit(), QStringLiteral("Maren"));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        QVERIFY(!dialog->findChild<QPushButton *>("cancelButton")->isEnabled());
        QTest::keyClick(dialog, Qt::Key_Escape);
        dialog->reject();
        QCoreApplication::processEvents();
        QVERIFY(dialog && dialog->isVisible());
        gate->set_value();
        QTRY_COMPARE_WITH_TIMEOUT(dialog->shownRecoveryCode(), QStringLiteral("C"), 30000);
        dialog->accept();
        kit->waitForIdle();
    }

    // Signing in, the player chooses where the scores go: a server's
    // address is checked before anything is sent, the service moves there
    // and the choice is remembered; signed in, it does not move.
    void theSignInDialogChoosesThePlace()
    {
        QTemporaryDir dir;
        auto transport = std::make_shared<ScriptedTransport>();
        QStringList remembered;
        auto router = std::make_shared<ServiceRouter>(
            QString(),
            [&](const QString &address) -> std::shared_ptr<ServiceBackend> {
                if (address.isEmpty())
                    return std::make_shared<LocalServiceBackend>(GameServiceEnvironment::serviceFileName(dir.path()),
                                                                 GameServiceEnvironment::catalogue());
                return GameServiceEnvironment::networkBackend(dir.path(), address,
                                                              [transport](QString *) { return transport; });
            },
            [&](const QString &address) { remembered << address; });
        auto kit = ServiceKit::create(router);
        auto presenter = std::make_shared<WidgetServiceScreenPresenter>();
        kit->setScreenPresenter(presenter);
        QWidget menu;
        menu.resize(390, 700);
        menu.show();
        auto screen = std::make_shared<SignInViewController>(kit);
        screen->present(&menu, false, {});
        QPointer<SignInDialog> dialog = qobject_cast<SignInDialog *>(presenter->widgetFor(screen.get()));
        QVERIFY(dialog);
        QVERIFY(dialog->thisComputerButton()->isChecked());
        QVERIFY(!dialog->serverEdit()->isEnabled());
        QVERIFY(!dialog->existingAccountButton()->isVisible()); // codes belong to servers
        QCOMPARE(unnamedElements(dialog).join("; "), QString());

        QTest::mouseClick(dialog->serverButton(), Qt::LeftButton);
        QVERIFY(dialog->serverEdit()->isEnabled());
        QVERIFY(dialog->existingAccountButton()->isVisible());
        QTest::keyClicks(dialog->serverEdit(), QStringLiteral("ftp://scores.example.org"));
        QTest::keyClicks(dialog->nameEdit(), QStringLiteral("Maren"));
        QTest::mouseClick(dialog->signInButton(), Qt::LeftButton);
        QVERIFY(dialog->statusLabel()->isVisible());
        QVERIFY(dialog->statusLabel()->text().contains("address"));
        QVERIFY(transport->sent().empty());
        QVERIFY(remembered.isEmpty());

        dialog->serverEdit()->setText(QStringLiteral("scores.example.org:8443"));
        transport->push(answer(201, {{"playerId", "K1"}, {"displayName", "Maren"}, {"token", "t"}, {"recoveryCode", "C"}}));
        QTest::mouseClick(dialog->signInButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(dialog->shownRecoveryCode(), QStringLiteral("C"), 30000);
        QCOMPARE(transport->sent().at(0).url, std::string("https://scores.example.org:8443/v1/accounts"));
        QCOMPARE(router->address(), QStringLiteral("https://scores.example.org:8443"));
        QCOMPARE(remembered, QStringList{"https://scores.example.org:8443"});
        dialog->accept();

        OptionalError error;
        router->moveTo(QString(), error);
        QVERIFY(error); // signed in there: sign out first
        QCOMPARE(router->address(), QStringLiteral("https://scores.example.org:8443"));
        router->signOut(error = std::nullopt);
        QVERIFY(!error);
        router->moveTo(QString(), error);
        QVERIFY(!error);
        QVERIFY(router->address().isEmpty() && !router->needsNetwork());
        QCOMPARE(remembered.last(), QString());
        kit->waitForIdle();
    }

    void theAchievementsScreenShowsProgressAndClosesThroughTheManager()
    {
        ManagerFixture f(ManagerFixture::Options{.network = true});
        signInLocally(f); // then start as available
        auto presenter = std::make_shared<WidgetServiceScreenPresenter>();
        f.kit->setScreenPresenter(presenter);
        auto &m = f.start();
        QVERIFY(m.isGameServiceAvailable());
        m.saveAndReportAchievement(QStringLiteral("1won"), 100.0, true);
        m.saveAndReportScore(420, QStringLiteral("sp_leaderboard"), SortOrder::higherIsBetter);
        // Completing "1won" shows its banner, under the catalogue's title.
        auto bannerShown = [] {
            const auto widgets = QApplication::allWidgets();
            return std::any_of(widgets.begin(), widgets.end(), [](QWidget *w) {
                auto *b = qobject_cast<CompletionBanner *>(w);
                return b && b->title() == QStringLiteral("First Break");
            });
        };
        QTRY_VERIFY_WITH_TIMEOUT(bannerShown(), 30000);

        QWidget menu;
        menu.show();
        m.presentAchievementsOnViewController(&menu);
        ServiceScreen *screen = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((screen = menu.findChild<ServiceScreen *>()) != nullptr, 30000);
        QCOMPARE(screen->tabs()->currentIndex(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(screen->achievements()->topLevelItemCount(), 8, 30000);
        QCOMPARE(screen->achievements()->topLevelItem(0)->text(0), QStringLiteral("First Break"));
        QCOMPARE(screen->achievements()->topLevelItem(0)->text(1), QStringLiteral("100 %"));
        QTRY_COMPARE_WITH_TIMEOUT(screen->scores()->topLevelItemCount(), 1, 30000);
        QCOMPARE(screen->scores()->topLevelItem(0)->text(2), QStringLiteral("420"));
        QCOMPARE(unnamedElements(screen).join("; "), QString());
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("presented"), 1, 30000);

        QPointer<ServiceScreen> guard(screen);
        screen->reject(); // the close button
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("didFinish"), 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 30000);
        f.settle();
        QCOMPARE(f.delegate->count("didFinish"), 1); // once, though closing rejects again
    }

    // Signing out from the screen asks first (Return keeps the player);
    // confirmed, the screen closes and the sign-in is offered again.
    void signingOutFromTheScreen()
    {
        ManagerFixture f(ManagerFixture::Options{.network = true});
        signInLocally(f);
        f.kit->setScreenPresenter(std::make_shared<WidgetServiceScreenPresenter>());
        auto &m = f.start();
        QVERIFY(m.isGameServiceAvailable());
        QWidget menu;
        menu.resize(390, 760);
        menu.show();
        m.presentLeaderboardsOnViewController(&menu, std::nullopt);
        QPointer<ServiceScreen> screen;
        QTRY_VERIFY_WITH_TIMEOUT(!(screen = menu.findChild<ServiceScreen *>()).isNull(), 30000);
        QVERIFY(screen->signOutButton() && screen->signOutButton()->isVisible());
        // The three tabs fit a phone's width without scroll arrows, and the
        // card is tall, whatever its page holds, from tab to tab.
        const QTabBar *bar = screen->tabs()->tabBar();
        QVERIFY(bar->tabRect(2).right() <= bar->width());
        QVERIFY2(screen->height() >= 600, qPrintable(QString::number(screen->height())));
        const QSize size = screen->size();
        screen->tabs()->setCurrentIndex(2);
        QTest::qWait(200); // the page's layout settles and the overlay places the card again
        QCOMPARE(screen->size(), size);

        auto prompt = [&] { return menu.findChild<PromptDialog *>("signOutPrompt"); };
        QTest::mouseClick(screen->signOutButton(), Qt::LeftButton);
        QTRY_VERIFY(prompt() && prompt()->isVisible());
        QTest::keyClick(prompt(), Qt::Key_Return); // Cancel is the default
        QTRY_VERIFY(!prompt() || !prompt()->isVisible());
        QVERIFY(m.isGameServiceAvailable());

        QTest::mouseClick(screen->signOutButton(), Qt::LeftButton);
        QTRY_VERIFY(prompt() && prompt()->isVisible());
        QTest::mouseClick(prompt()->findChild<QPushButton *>("confirmSignOut"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(screen.isNull(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("authenticateUser"), 1, 30000);
        QVERIFY(!m.isGameServiceAvailable());
        f.settle();
    }

    // A banner comes unasked and goes by itself: it is an alert, read whole.
    void theCompletionBannerIsAnAlert()
    {
        AccessibilityRecorder recorder;
        QWidget window;
        window.resize(400, 300);
        window.show();
        auto *banner = new CompletionBanner(QStringLiteral("First Break"), QStringLiteral("Win a game"), &window);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(banner);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::AlertMessage);
        QCOMPARE(iface->text(QAccessible::Name), "Achievement complete: First Break");
        QCOMPARE(iface->text(QAccessible::Description), "Win a game");
        QCOMPARE(iface->childCount(), 0);
        QCOMPARE(recorder.names(banner, QAccessible::Alert), QStringList{"Achievement complete: First Break"});
    }

    // A description longer than the window is wide wraps inside it; a short
    // one keeps its lines whole.
    void theCompletionBannerStaysInsideItsWindow()
    {
        QWidget window;
        window.resize(320, 480);
        window.show();
        const QString longText = QStringLiteral("A description written long on purpose, so that it cannot stay "
                                                "on one line of the banner at this width.");
        auto *wide = new CompletionBanner(QStringLiteral("A title made long on purpose"), longText, &window);
        QVERIFY(wide->geometry().left() >= CompletionBanner::windowMargin);
        QVERIFY(wide->geometry().right() < window.width() - CompletionBanner::windowMargin + 1);
        for (QLabel *text : wide->findChildren<QLabel *>()) {
            QVERIFY(text->wordWrap());
            QVERIFY2(text->height() >= text->heightForWidth(text->width()),
                     qPrintable(QStringLiteral("%1x%2 wants %3; banner %4x%5")
                                    .arg(text->width())
                                    .arg(text->height())
                                    .arg(text->heightForWidth(text->width()))
                                    .arg(wide->width())
                                    .arg(wide->height())));
        }

        auto *narrow = new CompletionBanner(QStringLiteral("First Break"), QStringLiteral("Win a game"), &window);
        for (QLabel *label : narrow->findChildren<QLabel *>())
            QVERIFY(!label->wordWrap());
        QVERIFY(narrow->width() < window.width() - 2 * CompletionBanner::windowMargin);
        QCOMPARE(narrow->x(), (window.width() - narrow->width()) / 2);
    }

    // Tabs too long for a phone (a long translation) share its width, each
    // whole in its tooltip, instead of hiding behind scroll arrows.
    void longTabsFitAPhone()
    {
        PseudoTranslator longer;
        QCoreApplication::installTranslator(&longer);
        const auto removeLonger = qScopeGuard([&longer] { QCoreApplication::removeTranslator(&longer); });
        QTemporaryDir dir;
        ServiceScreen screen(std::make_shared<GameServiceViewController>(localKit(dir)));
        screen.resize(320, 568);
        screen.show();
        QTabBar *bar = screen.tabs()->tabBar();
        QTRY_VERIFY(bar->isVisible());
        QVERIFY(bar->tabRect(bar->count() - 1).right() < bar->width());
        for (int i = 0; i < bar->count(); ++i)
            QCOMPARE(bar->tabToolTip(i), bar->tabText(i));
        QVERIFY(bar->tabText(0).startsWith('['));
    }

    // Open before anybody signed in, the screen shows the service as it is
    // when the player comes back to it.
    void anOpenScreenCatchesUpWithASignIn()
    {
        QTemporaryDir dir;
        auto backend = std::make_shared<LocalServiceBackend>(GameServiceEnvironment::serviceFileName(dir.path()),
                                                             GameServiceEnvironment::catalogue());
        auto kit = ServiceKit::create(backend);
        ServiceScreen screen(std::make_shared<GameServiceViewController>(kit));
        screen.show();
        QApplication::setActiveWindow(&screen);
        QTRY_VERIFY_WITH_TIMEOUT(screen.errorLabel()->isVisible(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(screen.leaderboard()->errorLabel()->isVisible(), 30000);

        QWidget other; // the sign-in dialog, say
        other.show();
        QApplication::setActiveWindow(&other);
        OptionalError error;
        backend->signIn(QStringLiteral("Maren"), error);
        QVERIFY(!error);
        kit->localPlayer().setAuthenticateHandler([](auto, auto) {});
        kit->waitForIdle();
        QApplication::setActiveWindow(&screen);
        QTRY_VERIFY_WITH_TIMEOUT(!screen.errorLabel()->isVisible(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!screen.leaderboard()->errorLabel()->isVisible(), 30000);
        QCOMPARE(screen.leaderboard()->emptyLabel()->text(), QStringLiteral("No scores yet."));
    }
};

QTEST_MAIN(TestServiceScreens)
#include "tst_servicescreens.moc"
