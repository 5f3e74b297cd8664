#include "accessibilityrecorder.h"
#include "fakes/managerfixture.h"
#include "fakes/scriptedtransport.h"

#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/client/servicerouter.h"
#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicescreenpresenter.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "gameservice/local/localservicebackend.h"
#include "gameservice/network/networkservicebackend.h"
#include "gameservice/screens/challengedialog.h"
#include "gameservice/screens/challengerow.h"
#include "gameservice/screens/challengespage.h"
#include "gameservice/screens/completionbanner.h"
#include "gameservice/screens/gameserviceresultadapter.h"
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
#include <QListWidget>
#include <QPointer>
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

namespace {

// Shows nothing; keeps the screens and finishes presenting and dismissing
// only when the test says so.
class HeldPresenter final : public ServiceScreenPresenter
{
public:
    void present(const std::shared_ptr<ServiceViewController> &screen, QWidget *over, bool,
                 std::function<void()> presented) override
    {
        screens.push_back(std::dynamic_pointer_cast<GameServiceViewController>(screen));
        presentedOver = over;
        pending.push_back(std::move(presented));
    }
    void dismiss(const std::shared_ptr<ServiceViewController> &screen, bool, std::function<void()> dismissed) override
    {
        // Let go of the screen as a real presenter does: it holds the kit, which holds us.
        std::erase_if(screens, [&screen](const auto &s) { return s == screen; });
        pending.push_back(std::move(dismissed));
    }
    void showCompletionBanner(const ServiceCatalogue::AchievementDescription &) override {}

    void finishPending()
    {
        auto all = std::move(pending);
        for (auto &f : all)
            f();
    }

    std::vector<std::shared_ptr<GameServiceViewController>> screens;
    std::vector<std::function<void()>> pending;
    QWidget *presentedOver = nullptr;
};

Challenge challenge(const QString &id, const QString &from, std::int64_t score, const QDateTime &when,
                    const QString &message = {})
{
    Challenge c;
    c.identifier = id;
    c.issuingPlayerName = from;
    c.issuingPlayerID = QStringLiteral("P:") + from.toLower();
    c.leaderboardIdentifier = QStringLiteral("sp_leaderboard");
    c.score = score;
    c.issueDate = when;
    c.message = message;
    return c;
}

Score scoreOf(const QString &id, const QString &name, std::int64_t value)
{
    Score s(QStringLiteral("sp_leaderboard"));
    s.setPlayerID(id);
    s.setDisplayName(name);
    s.setValue(value);
    return s;
}

const QDateTime monday(QDate(2026, 11, 30), QTime(9, 0), Qt::UTC);

QStringList senders(const ChallengesPage &page)
{
    QStringList names;
    for (ChallengeRow *row : page.rows())
        names << row->challenge().issuingPlayerName;
    return names;
}

QStringList ids(const std::vector<Challenge> &list)
{
    QStringList out;
    for (const Challenge &c : list)
        out << c.identifier;
    return out;
}

} // namespace

// The framework's screens as widgets, offscreen: signing in, the service
// screen and its pages, challenges, banners; and how the manager presents them.
class TestServiceScreens : public QObject
{
    Q_OBJECT

private:
    static std::shared_ptr<LocalServiceBackend> localBackend(const QTemporaryDir &dir)
    {
        return std::make_shared<LocalServiceBackend>(GameServiceEnvironment::serviceFileName(dir.path()),
                                                     GameServiceEnvironment::catalogue());
    }

    static std::shared_ptr<ServiceKit> serverKit(const QTemporaryDir &dir,
                                                 NetworkServiceBackend::TransportSource transport)
    {
        return ServiceKit::create(std::make_shared<NetworkServiceBackend>(
            QStringLiteral("https://scores.example.org"), GameServiceEnvironment::accountFileName(dir.path()),
            GameServiceEnvironment::catalogue(), std::move(transport)));
    }

    // Maren signed in at the fixture's local service, its framework knowing
    // it, the screens as widgets; then the manager starts.
    static GameServiceManager &startSignedInLocally(ManagerFixture &f)
    {
        OptionalError error;
        auto backend = localBackend(f.dir);
        backend->signIn(QStringLiteral("Maren"), error);
        f.kit = ServiceKit::create(backend);
        f.kit->setScreenPresenter(std::make_shared<WidgetServiceScreenPresenter>());
        f.kit->localPlayer().setAuthenticateHandler([](auto, auto) {});
        f.kit->waitForIdle();
        return f.start();
    }

    // Sign-in screens presented as widgets over a phone-sized menu.
    struct SignInOver
    {
        SignInOver()
        {
            menu.resize(390, 700);
            menu.show();
        }
        // The dialog of `screen`, by default a new one of the kit's.
        QPointer<SignInDialog> present(const std::shared_ptr<ServiceKit> &kit,
                                       std::shared_ptr<SignInViewController> screen = {}, bool animated = false)
        {
            kit->setScreenPresenter(presenter);
            screens.push_back(screen ? screen : std::make_shared<SignInViewController>(kit));
            screens.back()->present(&menu, animated, {});
            return qobject_cast<SignInDialog *>(presenter->widgetFor(screens.back().get()));
        }
        std::shared_ptr<WidgetServiceScreenPresenter> presenter = std::make_shared<WidgetServiceScreenPresenter>();
        QWidget menu;
        std::vector<std::shared_ptr<SignInViewController>> screens;
    };

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
        auto kit = ServiceKit::create(localBackend(dir));
        const std::shared_ptr<SignInViewController> handedOver = signInScreenOf(*kit);
        QVERIFY(handedOver);
        SignInOver over;
        QPointer<SignInDialog> dialog = over.present(kit, handedOver, true);
        QVERIFY(dialog && dialog->isVisible());
        // Inside the window it was asked over, where it can be seen and answered.
        QVERIFY(!dialog->isWindow());
        QCOMPARE(dialog->window(), &over.menu);
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
        auto kit = serverKit(dir, [transport](QString *) { return transport; });
        const std::shared_ptr<SignInViewController> handedOver = signInScreenOf(*kit);
        QVERIFY(handedOver);
        SignInOver over;
        QPointer<SignInDialog> dialog = over.present(kit, handedOver, true);
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

        transport->push(answer(
            201, {{"playerId", "K1"}, {"displayName", "Maren"}, {"token", "t"}, {"recoveryCode", "7K2M-9QRT-ABCD"}}));
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
        auto second = serverKit(other, [transport](QString *) { return transport; });
        QPointer<SignInDialog> recovering = over.present(second);
        QVERIFY(recovering);
        QTest::mouseClick(recovering->existingAccountButton(), Qt::LeftButton);
        QCOMPARE(recovering->nameEdit()->placeholderText(), QStringLiteral("Recovery code"));
        transport->push(answer(
            200, {{"playerId", "K1"}, {"displayName", "Maren"}, {"token", "t2"}, {"recoveryCode", "NEW0-CODE"}}));
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
        auto kit = serverKit(dir, [transport, opened](QString *) {
            opened.wait(); // the first round trip waits for the test
            return transport;
        });
        SignInOver over;
        QPointer<SignInDialog> dialog = over.present(kit);
        QVERIFY(dialog);
        transport->push(
            answer(201, {{"playerId", "K1"}, {"displayName", "Maren"}, {"token", "t"}, {"recoveryCode", "C"}}));
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
                    return localBackend(dir);
                return GameServiceEnvironment::networkBackend(dir.path(), address,
                                                              [transport](QString *) { return transport; });
            },
            [&](const QString &address) { remembered << address; });
        auto kit = ServiceKit::create(router);
        SignInOver over;
        QPointer<SignInDialog> dialog = over.present(kit);
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
        transport->push(
            answer(201, {{"playerId", "K1"}, {"displayName", "Maren"}, {"token", "t"}, {"recoveryCode", "C"}}));
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

    // The achievements screen shows progress and closes through the manager.
    // Signing out from the screen asks first (Return keeps the player);
    // confirmed, the screen closes and the sign-in is offered again.
    void theServiceScreenOverTheManager()
    {
        ManagerFixture f(ManagerFixture::Options{.network = true});
        auto &m = startSignedInLocally(f);
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
        menu.resize(390, 760);
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

        m.presentLeaderboardsOnViewController(&menu, std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(!(guard = menu.findChild<ServiceScreen *>()).isNull(), 30000);
        QVERIFY(guard->signOutButton() && guard->signOutButton()->isVisible());
        // The card is tall, whatever its page holds, from tab to tab.
        QVERIFY2(guard->height() >= 600, qPrintable(QString::number(guard->height())));
        const QSize size = guard->size();
        guard->tabs()->setCurrentIndex(2);
        QTest::qWait(200); // the page's layout settles and the overlay places the card again
        QCOMPARE(guard->size(), size);

        auto prompt = [&] { return menu.findChild<PromptDialog *>("signOutPrompt"); };
        QTest::mouseClick(guard->signOutButton(), Qt::LeftButton);
        QTRY_VERIFY(prompt() && prompt()->isVisible());
        QTest::keyClick(prompt(), Qt::Key_Return); // Cancel is the default
        QTRY_VERIFY(!prompt() || !prompt()->isVisible());
        QVERIFY(m.isGameServiceAvailable());

        QTest::mouseClick(guard->signOutButton(), Qt::LeftButton);
        QTRY_VERIFY(prompt() && prompt()->isVisible());
        QTest::mouseClick(prompt()->findChild<QPushButton *>("confirmSignOut"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("authenticateUser"), 1, 30000);
        QVERIFY(!m.isGameServiceAvailable());
        f.settle();
    }

    // A banner comes unasked and goes by itself: it is an alert, read whole.
    // A description longer than the window is wide wraps inside it; a short
    // one keeps its lines whole.
    void theCompletionBanner()
    {
        AccessibilityRecorder recorder;
        QWidget window;
        window.resize(320, 480);
        window.show();
        auto *narrow = new CompletionBanner(QStringLiteral("First Break"), QStringLiteral("Win a game"), &window);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(narrow);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::AlertMessage);
        QCOMPARE(iface->text(QAccessible::Name), "Achievement complete: First Break");
        QCOMPARE(iface->text(QAccessible::Description), "Win a game");
        QCOMPARE(iface->childCount(), 0);
        QCOMPARE(recorder.names(narrow, QAccessible::Alert), QStringList{"Achievement complete: First Break"});
        for (QLabel *label : narrow->findChildren<QLabel *>())
            QVERIFY(!label->wordWrap());
        QVERIFY(narrow->width() < window.width() - 2 * CompletionBanner::windowMargin);
        QCOMPARE(narrow->x(), (window.width() - narrow->width()) / 2);

        const QString longText = QStringLiteral("A description written long on purpose, so that it cannot stay "
                                                "on one line of the banner at this width.");
        auto *wide = new CompletionBanner(QStringLiteral("A title made long on purpose"), longText, &window);
        QVERIFY(wide->geometry().left() >= CompletionBanner::windowMargin);
        QVERIFY(wide->geometry().right() < window.width() - CompletionBanner::windowMargin + 1);
        for (QLabel *text : wide->findChildren<QLabel *>()) {
            QVERIFY(text->wordWrap());
            QVERIFY(text->height() >= text->heightForWidth(text->width()));
        }
    }

    // Tabs too long for a phone (a long translation) share its width, each
    // whole in its tooltip, instead of hiding behind scroll arrows.
    void longTabsFitAPhone()
    {
        PseudoTranslator longer;
        QCoreApplication::installTranslator(&longer);
        const auto removeLonger = qScopeGuard([&longer] { QCoreApplication::removeTranslator(&longer); });
        QTemporaryDir dir;
        ServiceScreen screen(std::make_shared<GameServiceViewController>(ServiceKit::create(localBackend(dir))));
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
        auto backend = localBackend(dir);
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

    void eachScreenOpensOnItsPageAndIsAnnouncedAfterTheAnimations_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("leaderboard");
        QTest::newRow("achievements") << 1 << QString();
        QTest::newRow("leaderboards, default") << 0 << QString();
        QTest::newRow("leaderboards, named") << 0 << QStringLiteral("sp_leaderboard");
        QTest::newRow("challenges") << 2 << QString();
    }
    void eachScreenOpensOnItsPageAndIsAnnouncedAfterTheAnimations()
    {
        QFETCH(int, page);
        QFETCH(QString, leaderboard);
        ManagerFixture f; // no service needed: the screens do not look at availability
        auto presenter = std::make_shared<HeldPresenter>();
        f.kit->setScreenPresenter(presenter);
        GameServiceManager &m = f.start();
        QWidget menu; // never shown
        if (page == 1)
            m.presentAchievementsOnViewController(&menu);
        else if (page == 2)
            m.presentChallengesOnViewController(&menu);
        else
            m.presentLeaderboardsOnViewController(&menu,
                                                  leaderboard.isEmpty() ? std::nullopt : std::optional(leaderboard));
        QCOMPARE(presenter->screens.size(), 1u);
        const auto screen = presenter->screens[0];
        QCOMPARE(int(screen->viewState()), page);
        QCOMPARE(screen->leaderboardIdentifier().value_or(QString()), leaderboard);
        QCOMPARE(presenter->presentedOver, &menu);

        f.settle();
        QCOMPARE(f.delegate->count("presented"), 0); // not before the presentation finished
        presenter->finishPending();
        QCOMPARE(f.delegate->count("presented"), 0); // and then through the event loop
        f.settle();
        QCOMPARE(f.delegate->count("presented"), 1);

        screen->finish(); // the player closes it
        f.settle();
        QCOMPARE(f.delegate->count("didFinish"), 0);
        presenter->finishPending();
        f.settle();
        const auto finished = f.delegate->callsOf("didFinish");
        QCOMPARE(finished.size(), 1u);
        QVERIFY(finished[0].argument.toBool() && finished[0].onMainThread);
    }

    void withoutAPresenterScreensCountAsShown()
    {
        ManagerFixture f;
        f.start().presentChallengesOnViewController(nullptr);
        f.settle();
        QCOMPARE(f.delegate->count("presented"), 1);
    }

    // Each refusal is an error at once, on the calling thread. Without the
    // service neither is ever answered; a photo asked for with nobody signed
    // in (still "available": only init clears that) is answered with none.
    void challengesAndThePhotoAreRefusedWhenTheyCannotBeHad_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<bool>("photo");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("challenges, no service") << "unavailable" << false << 2 << "GameService Unavailable";
        QTest::newRow("photo, no service") << "unavailable" << true << 2 << "GameService Unavailable";
        QTest::newRow("photo, nobody signed in") << "signed out" << true << 2 << "GameService Unavailable";
        QTest::newRow("challenges the framework lacks")
            << "no challenges" << false << 3 << "Challenge class is not available.";
    }
    void challengesAndThePhotoAreRefusedWhenTheyCannotBeHad()
    {
        QFETCH(QString, service);
        QFETCH(bool, photo);
        QFETCH(int, code);
        QFETCH(QString, message);
        ManagerFixture f;
        GameServiceManager &m = service == "unavailable" ? f.start() : f.startAvailable();
        if (service == "signed out")
            f.kit->localPlayer().signOut();
        else if (service == "no challenges")
            f.kit->setHasChallenges(false);
        QCOMPARE(m.isGameServiceAvailable(), service != "unavailable");
        f.settle();
        f.delegate->clear();
        int answers = 0;
        std::optional<QByteArray> picture = QByteArray("stale");
        if (photo)
            m.localPlayerPhoto([&](auto p) {
                picture = p;
                ++answers;
            });
        else
            m.getChallengesWithCompletion([&](auto, auto) { ++answers; });
        const auto errors = f.delegate->callsOf("error");
        QCOMPARE(errors.size(), 1u);
        const QString said = errors[0].argument.toString();
        // The framework's own words follow its first sentence.
        QVERIFY2(code == 3 ? said.startsWith(message) : said == message, qPrintable(said));
        QCOMPARE(errors[0].code, std::optional(code));
        const bool answeredAtOnce = service == "signed out";
        QCOMPARE(answers, answeredAtOnce ? 1 : 0);
        if (answeredAtOnce)
            QVERIFY(!picture);
        f.settle();
        QCOMPARE(answers, answeredAtOnce ? 1 : 0);
    }

    // Challenges and the photo come from the service; a failure gives
    // nothing beside the error, and the photo's error goes to the delegate.
    void challengesAndThePhotoComeFromTheService()
    {
        ManagerFixture f;
        GameServiceManager &m = f.startAvailable();
        f.backend->setPhoto(QByteArray("png"));
        std::atomic<int> answers{0};
        std::optional<std::vector<Challenge>> challenges;
        OptionalError error;
        std::optional<QByteArray> photo;
        auto keepChallenges = [&](auto c, auto e) {
            challenges = c;
            error = e;
            ++answers;
        };
        auto keepPhoto = [&](auto p) {
            photo = p;
            ++answers;
        };
        m.getChallengesWithCompletion(keepChallenges);
        m.localPlayerPhoto(keepPhoto);
        QTRY_COMPARE_WITH_TIMEOUT(answers.load(), 2, 30000);
        QVERIFY(challenges && challenges->size() == 1 && !error);
        QCOMPARE(photo, std::optional(QByteArray("png")));

        f.delegate->clear();
        f.backend->failNext(FakeServiceBackend::Call::LoadChallenges);
        f.backend->failNext(FakeServiceBackend::Call::LoadPhoto);
        m.getChallengesWithCompletion(keepChallenges);
        m.localPlayerPhoto(keepPhoto);
        QTRY_COMPARE_WITH_TIMEOUT(answers.load(), 4, 30000);
        QVERIFY(!challenges && error);
        QVERIFY(!photo);
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("error"), 1, 30000);
        QVERIFY(f.delegate->callsOf("error")[0].onMainThread);
    }

    void thePageListsNewestFirstAndADismissedOneGoes()
    {
        ManagerFixture f(ManagerFixture::Options{.authenticated = true});
        f.backend->setChallenges({challenge("c1", "Bob", 610, monday, "Beat that!"),
                                  challenge("c2", "Cy", 480, monday.addDays(2)),
                                  challenge("c3", "Dee", 300, monday.addDays(-3), "Old news")});
        ChallengesPage page(f.kit);
        page.resize(390, 700);
        page.show();
        page.load();
        QTRY_COMPARE_WITH_TIMEOUT(page.rows().size(), 3, 30000);
        QCOMPARE(senders(page), (QStringList{"Cy", "Bob", "Dee"}));
        QVERIFY(!page.statusLabel()->isVisible());
        ChallengeRow *bob = page.rows().at(1);
        QVERIFY(bob->titleLabel()->text().contains("Bob"));
        QVERIFY(bob->titleLabel()->text().contains("610"));
        QCOMPARE(bob->messageLabel()->text(), QStringLiteral("Beat that!"));
        QVERIFY(!bob->dateLabel()->text().isEmpty());
        QVERIFY(!page.rows().at(0)->messageLabel()->isVisible()); // Cy said nothing
        QCOMPARE(unnamedElements(&page).join("; "), QString());
        // Every button is on the keyboard's way, each row's "Play it" first.
        QCOMPARE(bob->playButton()->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(bob->playButton()->nextInFocusChain(), bob->dismissButton());

        // A refused dismissal keeps the row, for another try, and says why.
        f.backend->failNext(FakeServiceBackend::Call::DismissChallenge);
        bob->dismissButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.errorLabel()->isVisible(), 30000);
        QVERIFY(page.errorLabel()->text().contains("The service did not answer."));
        QCOMPARE(page.rows().size(), 3);
        QCOMPARE(f.backend->challenges().size(), std::size_t(3));
        QVERIFY(page.rows().at(1)->dismissButton()->isEnabled());
        page.rows().at(1)->dismissButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(senders(page), (QStringList{"Cy", "Dee"}), 30000);
        QCOMPARE(ids(f.backend->challenges()), (QStringList{"c2", "c3"}));
        QVERIFY(!page.errorLabel()->isVisible());

        page.rows().at(0)->dismissButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(page.rows().size(), 1, 30000);
        page.rows().at(0)->dismissButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.rows().isEmpty(), 30000);
        QVERIFY(page.statusLabel()->isVisible());
        QCOMPARE(page.statusLabel()->text(),
                 QStringLiteral("No challenges. Players who want to beat you send them here."));
    }

    void thePageSaysWhyItHasNone_data()
    {
        QTest::addColumn<bool>("onThisComputer");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("says");
        QTest::addColumn<int>("loads");
        QTest::newRow("not loaded") << false << true << "Challenges could not be loaded: The service did not answer."
                                    << 1;
        QTest::newRow("a service on this computer")
            << true << false
            << "Challenges need a Kestrune server. On this computer there are no other players to send them." << 0;
    }
    void thePageSaysWhyItHasNone()
    {
        QFETCH(bool, onThisComputer);
        QFETCH(bool, fails);
        QFETCH(QString, says);
        QFETCH(int, loads);
        ManagerFixture f(ManagerFixture::Options{.authenticated = true, .needsNetwork = !onThisComputer});
        f.backend->setChallenges({});
        if (fails)
            f.backend->failNext(FakeServiceBackend::Call::LoadChallenges);
        ChallengesPage page(f.kit);
        page.show();
        page.load();
        QTRY_COMPARE_WITH_TIMEOUT(page.statusLabel()->text(), says, 30000);
        f.settle();
        QVERIFY(page.rows().isEmpty());
        QCOMPARE(f.backend->calls(FakeServiceBackend::Call::LoadChallenges), loads);
    }

    // "Play it" closes the service screen, holds the challenge for the
    // match's result and starts the match.
    void playItHoldsTheChallengeAndStartsAMatch()
    {
        ManagerFixture f(ManagerFixture::Options{.network = true, .authenticated = true});
        f.backend->setChallenges({challenge("c1", "Bob", 610, monday)});
        f.kit->setScreenPresenter(std::make_shared<WidgetServiceScreenPresenter>());
        GameServiceManager &m = f.start();
        int started = 0;
        std::optional<ChallengeInPlay> heldAtStart;
        m.challengeInPlay().setStartMatch([&] {
            ++started;
            heldAtStart = m.challengeInPlay().peek();
        });
        QWidget menu;
        menu.resize(390, 844);
        menu.show();
        m.presentChallengesOnViewController(&menu);
        ServiceScreen *screen = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((screen = menu.findChild<ServiceScreen *>()) != nullptr, 30000);
        QCOMPARE(screen->tabs()->currentWidget(), screen->challengesPage());
        QTRY_COMPARE_WITH_TIMEOUT(screen->challengesPage()->rows().size(), 1, 30000);
        QPointer<ServiceScreen> guard(screen);

        screen->challengesPage()->rows().at(0)->playButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(started, 1, 30000);
        const ChallengeInPlay bob{QStringLiteral("Bob"), QStringLiteral("sp_leaderboard"), 610};
        QCOMPARE(heldAtStart, std::optional(bob));
        QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("didFinish"), 1, 30000);

        // The result screen takes it once.
        GameServiceResultAdapter result(m);
        const auto taken = result.takeChallengeInPlay();
        QVERIFY(taken);
        QCOMPARE(taken->issuerName, QStringLiteral("Bob"));
        QCOMPARE(taken->score, 610);
        QVERIFY(!result.takeChallengeInPlay());
        m.challengeInPlay().setStartMatch({});
    }

    void challengesCanBeSentOnlyWhenSignedInToAServer_data()
    {
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<bool>("needsNetwork");
        QTest::addColumn<bool>("can");
        QTest::newRow("signed in to a server") << true << true << true;
        QTest::newRow("nobody signed in") << false << true << false;
        QTest::newRow("on this computer") << true << false << false;
    }
    void challengesCanBeSentOnlyWhenSignedInToAServer()
    {
        QFETCH(bool, signedIn);
        QFETCH(bool, needsNetwork);
        QFETCH(bool, can);
        ManagerFixture f(ManagerFixture::Options{.network = true, .needsNetwork = needsNetwork});
        GameServiceManager &m = f.start();
        if (signedIn)
            f.makeAvailable();
        f.settle();
        GameServiceResultAdapter result(m);
        QCOMPARE(result.canSendChallenges(), can);
    }

    // The dialog sends to the picked player with the message; with nobody
    // else on the leaderboard, there is nobody to pick.
    void theChallengeDialog()
    {
        ManagerFixture f(ManagerFixture::Options{.authenticated = true});
        const QString board = QStringLiteral("sp_leaderboard");
        // The local player (P:ada) is among them, and Bob comes in both windows.
        f.backend->setLeaderboardScores(board, {scoreOf("P:bob", "Bob", 900), scoreOf("P:ada", "Ada", 700),
                                                scoreOf("P:cy", "Cy", 650), scoreOf("P:bob", "Bob", 900)});
        ChallengeDialog dialog(f.kit, board, 720);
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.playerList()->count(), 2, 30000);
        QCOMPARE(dialog.playerList()->item(0)->data(Qt::UserRole).toString(), QStringLiteral("P:bob"));
        QCOMPARE(dialog.playerList()->item(1)->data(Qt::UserRole).toString(), QStringLiteral("P:cy"));
        QVERIFY(dialog.playerList()->item(1)->text().contains("Cy"));
        const auto queries = f.backend->queries();
        QCOMPARE(queries.size(), std::size_t(2));
        QVERIFY(queries[0].second.window != queries[1].second.window); // the top and around the player
        QCOMPARE(unnamedElements(&dialog).join("; "), QString());

        // 140 characters at most.
        dialog.messageEdit()->setFocus();
        QTest::keyClicks(dialog.messageEdit(), QString(150, QLatin1Char('x')));
        QCOMPARE(dialog.messageEdit()->text().size(), ChallengeDialog::maximumMessageLength);
        dialog.messageEdit()->setText(QStringLiteral("  Your move, Cy  "));
        dialog.playerList()->setCurrentRow(1);
        f.backend->failNext(FakeServiceBackend::Call::SendChallenge);
        dialog.sendButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.statusLabel()->text().startsWith("Not sent: "), 30000);
        QVERIFY(dialog.sendButton()->isEnabled()); // another try
        QVERIFY(f.backend->sentChallenges().empty());

        dialog.sendButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.statusLabel()->text(), QStringLiteral("Challenge sent to Cy."), 30000);
        const auto sent = f.backend->sentChallenges();
        QCOMPARE(sent.size(), std::size_t(1));
        QCOMPARE(sent[0].from, QStringLiteral("P:ada"));
        QCOMPARE(sent[0].to, QStringLiteral("P:cy"));
        QCOMPARE(sent[0].leaderboard, board);
        QCOMPARE(sent[0].score, 720);
        QCOMPARE(sent[0].message, QStringLiteral("Your move, Cy"));
        QVERIFY(!dialog.sendButton()->isEnabled()); // sent once
        QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("Done"));

        f.backend->setLeaderboardScores(board, {scoreOf("P:ada", "Ada", 700)});
        ChallengeDialog alone(f.kit, board, 720);
        alone.show();
        QTRY_COMPARE_WITH_TIMEOUT(alone.statusLabel()->text(), QStringLiteral("Nobody else is on the leaderboard yet."),
                                  30000);
        QCOMPARE(alone.playerList()->count(), 0);
        QVERIFY(!alone.sendButton()->isEnabled());
    }
};

QTEST_MAIN(TestServiceScreens)
#include "tst_servicescreens.moc"
