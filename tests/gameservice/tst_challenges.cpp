#include "accessibilityrecorder.h"
#include "fakes/managerfixture.h"

#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/screens/challengedialog.h"
#include "gameservice/screens/challengerow.h"
#include "gameservice/screens/challengespage.h"
#include "gameservice/screens/gameserviceresultadapter.h"
#include "gameservice/screens/servicescreen.h"
#include "gameservice/screens/widgetservicescreenpresenter.h"
#include "views/widgets/button.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTabWidget>
#include <QThreadPool>

using namespace kestrune;
using namespace kestrune::test;

namespace {

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

// The received challenges, "play it" and "challenge a player", offscreen
// over the fake service.
class TestChallenges : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QThreadPool::globalInstance()->setMaxThreadCount(1); }
    void cleanupTestCase() { qDeleteAll(QApplication::topLevelWidgets()); }

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

        bob->dismissButton()->click();
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

    void aRefusedDismissalKeepsTheRowAndSaysWhy()
    {
        ManagerFixture f(ManagerFixture::Options{.authenticated = true});
        f.backend->setChallenges({challenge("c1", "Bob", 610, monday)});
        f.backend->failNext(FakeServiceBackend::Call::DismissChallenge);
        ChallengesPage page(f.kit);
        page.show();
        page.load();
        QTRY_COMPARE_WITH_TIMEOUT(page.rows().size(), 1, 30000);
        page.rows().at(0)->dismissButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.errorLabel()->isVisible(), 30000);
        QVERIFY(page.errorLabel()->text().contains("The service did not answer."));
        QCOMPARE(page.rows().size(), 1);
        QVERIFY(page.rows().at(0)->dismissButton()->isEnabled()); // for another try
        QCOMPARE(f.backend->challenges().size(), std::size_t(1));

        page.rows().at(0)->dismissButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.rows().isEmpty(), 30000);
        QVERIFY(!page.errorLabel()->isVisible());
    }

    void thePageSaysWhyItHasNone_data()
    {
        QTest::addColumn<bool>("onThisComputer");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("says");
        QTest::addColumn<int>("loads");
        QTest::newRow("none") << false << false << "No challenges. Players who want to beat you send them here." << 1;
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

    void theDialogSendsToThePickedPlayerWithTheMessage()
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
        QVERIFY(std::any_of(queries.begin(), queries.end(),
                            [](const auto &q) { return q.window == Leaderboard::Window::top; }));
        QVERIFY(std::any_of(queries.begin(), queries.end(),
                            [](const auto &q) { return q.window == Leaderboard::Window::aroundMe; }));
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
    }

    void theDialogSaysWhenNobodyElseIsThere()
    {
        ManagerFixture f(ManagerFixture::Options{.authenticated = true});
        const QString board = QStringLiteral("sp_leaderboard");
        f.backend->setLeaderboardScores(board, {scoreOf("P:ada", "Ada", 700)});
        ChallengeDialog dialog(f.kit, board, 720);
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.statusLabel()->text(),
                                  QStringLiteral("Nobody else is on the leaderboard yet."), 30000);
        QCOMPARE(dialog.playerList()->count(), 0);
        QVERIFY(!dialog.sendButton()->isEnabled());
    }
};

QTEST_MAIN(TestChallenges)
#include "tst_challenges.moc"
