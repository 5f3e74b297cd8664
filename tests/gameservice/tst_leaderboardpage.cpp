#include "accessibilityrecorder.h"

#include "gameservice/kit/servicebackend.h"
#include "gameservice/kit/servicekit.h"
#include "gameservice/screens/leaderboardpage.h"

#include <QAbstractButton>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <QTreeWidget>

#include <condition_variable>
#include <map>
#include <mutex>

using namespace kestrune;
using namespace kestrune::test;

namespace {

using Scope = Leaderboard::Scope;
using Window = Leaderboard::Window;

// A service whose leaderboard answers are written by the test: per scope
// and window, or a failure. It keeps every question, and can keep one
// answer back until the test lets it go. Thread-safe.
class BoardsBackend final : public ServiceBackend
{
public:
    struct Asked
    {
        QString board;
        Leaderboard::Query query;
        friend bool operator==(const Asked &, const Asked &) = default;
    };

    void setBoards(std::vector<Leaderboard> boards)
    {
        std::lock_guard l(m);
        m_catalogue.leaderboards = std::move(boards);
    }
    void setAnswer(Leaderboard::Query query, Leaderboard::Scores scores)
    {
        std::lock_guard l(m);
        m_answers[key(query)] = std::move(scores);
    }
    void failNext(int code)
    {
        std::lock_guard l(m);
        m_failure = code;
    }
    // The next question waits, after it was recorded, until release().
    void holdNext()
    {
        std::lock_guard l(m);
        m_hold = true;
    }
    void release()
    {
        std::lock_guard l(m);
        m_hold = false;
        m_released = true;
        m_changed.notify_all();
    }
    std::vector<Asked> asked() const
    {
        std::lock_guard l(m);
        return m_asked;
    }

    std::optional<Player> signedInPlayer(OptionalError &) override { return Player{"me", "Ada"}; }
    bool offersSignIn() const override { return false; }
    bool needsNetwork() const override { return false; }
    Player signIn(const QString &, OptionalError &) override { return {"me", "Ada"}; }
    ServiceCatalogue catalogue() const override
    {
        std::lock_guard l(m);
        return m_catalogue;
    }
    std::vector<Leaderboard> loadLeaderboards(const QString &, OptionalError &) override
    {
        return catalogue().leaderboards;
    }
    Leaderboard::Scores loadScores(const QString &player, const QString &board, OptionalError &error) override
    {
        return loadScores(player, board, {}, error);
    }
    Leaderboard::Scores loadScores(const QString &, const QString &board, const Leaderboard::Query &query,
                                   OptionalError &error) override
    {
        std::unique_lock l(m);
        m_asked.push_back({board, query});
        if (m_hold) {
            m_hold = false;
            m_released = false;
            m_changed.wait(l, [this] { return m_released; });
        }
        if (m_failure) {
            error = serviceKitError(*m_failure, QStringLiteral("No answer from the service."));
            m_failure.reset();
            return {};
        }
        return m_answers[key(query)];
    }
    void reportScore(const QString &, const Score &, OptionalError &) override {}
    std::vector<Achievement> loadAchievements(const QString &, OptionalError &) override { return {}; }
    bool reportAchievement(const QString &, const Achievement &, OptionalError &) override { return false; }
    void resetAchievements(const QString &, OptionalError &) override {}
    std::vector<Challenge> loadReceivedChallenges(const QString &, OptionalError &) override { return {}; }
    std::optional<QByteArray> loadPhoto(const QString &, OptionalError &) override { return std::nullopt; }

private:
    static std::pair<int, int> key(const Leaderboard::Query &q) { return {int(q.scope), int(q.window)}; }

    mutable std::mutex m;
    std::condition_variable m_changed;
    ServiceCatalogue m_catalogue{{{"sp_leaderboard", "Single player"}}, {}};
    std::map<std::pair<int, int>, Leaderboard::Scores> m_answers;
    std::optional<int> m_failure;
    std::vector<Asked> m_asked;
    bool m_hold = false;
    bool m_released = false;
};

Score row(const QString &id, const QString &name, std::int64_t value, std::int64_t rank)
{
    Score s(QStringLiteral("sp_leaderboard"));
    s.setPlayerID(id);
    s.setDisplayName(name);
    s.setValue(value);
    s.setRank(rank);
    return s;
}

Leaderboard::Scores scoresOf(std::vector<Score> rows, std::int64_t players)
{
    Leaderboard::Scores s;
    s.scores = std::move(rows);
    s.playerCount = players;
    return s;
}

// The list as "rank name score" lines.
QStringList shownRows(const LeaderboardPage &page)
{
    QStringList out;
    for (int i = 0; i < page.list()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = page.list()->topLevelItem(i);
        out << QStringList{item->text(0), item->text(1), item->text(2)}.join(' ');
    }
    return out;
}

} // namespace

// The leaderboard page over a scripted service, offscreen.
class TestLeaderboardPage : public QObject
{
    Q_OBJECT

    std::shared_ptr<BoardsBackend> backend;
    std::shared_ptr<ServiceKit> kit;

    // A kit whose player is signed in before the page asks.
    void start()
    {
        backend = std::make_shared<BoardsBackend>();
        kit = ServiceKit::create(backend);
        kit->localPlayer().setAuthenticateHandler([](auto, auto) {});
        QTRY_VERIFY_WITH_TIMEOUT(kit->localPlayer().isAuthenticated(), 30000);
    }

    // Waits for the answer to the question the page asked when it was made:
    // called before the event loop ran, it cannot miss it.
    static bool firstAnswer(LeaderboardPage &page)
    {
        QSignalSpy shown(&page, &LeaderboardPage::shown);
        return shown.wait(30000);
    }

private slots:
    void initTestCase() { QThreadPool::globalInstance()->setMaxThreadCount(1); }

    void init() { start(); }
    void cleanup()
    {
        backend->release();
        kit->waitForIdle();
        kit.reset();
        backend.reset();
    }

    // Every choice asks the service anew, by click or by keyboard; the
    // list is the answer to that question.
    void eachChoiceAsksForItsScores()
    {
        backend->setAnswer({Scope::allTime, Window::top}, scoresOf({row("b", "Bob", 900, 1)}, 1));
        backend->setAnswer({Scope::today, Window::top}, scoresOf({row("c", "Cy", 40, 1)}, 1));
        backend->setAnswer({Scope::today, Window::aroundMe}, scoresOf({row("me", "Ada", 30, 2)}, 7));
        backend->setAnswer({Scope::week, Window::aroundMe}, scoresOf({row("me", "Ada", 80, 3)}, 9));
        LeaderboardPage page(kit);
        QSignalSpy shown(&page, &LeaderboardPage::shown);
        page.resize(390, 600);
        page.show();
        QVERIFY(shown.wait(30000));
        QCOMPARE(shownRows(page), QStringList{"1 Bob 900"});
        QVERIFY(page.scopeButton(Scope::allTime)->isChecked());
        QVERIFY(page.windowButton(Window::top)->isChecked());

        QTest::mouseClick(page.scopeButton(Scope::today), Qt::LeftButton);
        QVERIFY(shown.wait(30000));
        QCOMPARE(shownRows(page), QStringList{"1 Cy 40"});
        QTest::mouseClick(page.windowButton(Window::aroundMe), Qt::LeftButton);
        QVERIFY(shown.wait(30000));
        QCOMPARE(shownRows(page), QStringList{"2 Ada 30"});
        QCOMPARE(page.playerCountLabel()->text(), "7 players");
        QVERIFY(page.playerCountLabel()->isVisible());

        // The keyboard reaches the same buttons.
        page.scopeButton(Scope::week)->setFocus();
        QTest::keyClick(page.scopeButton(Scope::week), Qt::Key_Space);
        QVERIFY(shown.wait(30000));
        QCOMPARE(shownRows(page), QStringList{"3 Ada 80"});
        QVERIFY(page.scopeButton(Scope::week)->isChecked() && !page.scopeButton(Scope::today)->isChecked());

        // Choosing what is already chosen asks nothing.
        QTest::mouseClick(page.scopeButton(Scope::week), Qt::LeftButton);
        kit->waitForIdle();
        const std::vector<BoardsBackend::Asked> expected{
            {"sp_leaderboard", {Scope::allTime, Window::top}},
            {"sp_leaderboard", {Scope::today, Window::top}},
            {"sp_leaderboard", {Scope::today, Window::aroundMe}},
            {"sp_leaderboard", {Scope::week, Window::aroundMe}},
        };
        QVERIFY(backend->asked() == expected);
    }

    // Ranks as the service gives them (equal scores share one); the
    // player's row stands out and says it is the player's.
    void thePlayersRowIsMarked()
    {
        backend->setAnswer({}, scoresOf({row("b", "Bob", 900, 1), row("me", "Ada", 800, 2), row("c", "Cy", 800, 2),
                                         row("d", "", 700, 4)},
                                        1289));
        LeaderboardPage page(kit);
        page.resize(390, 600);
        page.show();
        QVERIFY(firstAnswer(page));
        QCOMPARE(shownRows(page), QStringList({"1 Bob 900", "2 Ada 800", "2 Cy 800", "4 d 700"}));
        // Grouped as the locale groups digits.
        QCOMPARE(page.playerCountLabel()->text(), QStringLiteral("%L1 players").arg(1289));
        QTreeWidgetItem *mine = page.list()->topLevelItem(1);
        QTreeWidgetItem *other = page.list()->topLevelItem(2);
        for (int c = 0; c < 3; ++c) {
            QVERIFY(mine->font(c).bold());
            QVERIFY(!other->font(c).bold());
            QVERIFY(mine->background(c).style() != Qt::NoBrush);
            QCOMPARE(other->background(c).style(), Qt::NoBrush);
        }

        // What a screen reader reads in the player's row.
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(page.list());
        QVERIFY(list && list->tableInterface());
        QAccessibleInterface *cell = list->tableInterface()->cellAt(1, 1);
        QVERIFY(cell);
        QVERIFY2(cell->text(QAccessible::Name).contains("You"), qPrintable(cell->text(QAccessible::Name)));
        QVERIFY(!list->tableInterface()->cellAt(2, 1)->text(QAccessible::Name).contains("You"));
        QCOMPARE(unnamedElements(&page).join("; "), QString());
    }

    void emptyListsSaySo_data()
    {
        QTest::addColumn<Leaderboard::Scope>("scope");
        QTest::addColumn<Leaderboard::Window>("window");
        QTest::addColumn<QString>("text");
        QTest::newRow("today") << Scope::today << Window::top << "No scores today yet.";
        QTest::newRow("week") << Scope::week << Window::top << "No scores this week yet.";
        QTest::newRow("all time") << Scope::allTime << Window::top << "No scores yet.";
        QTest::newRow("around me, today") << Scope::today << Window::aroundMe << "You have no score today yet.";
        QTest::newRow("around me, all time") << Scope::allTime << Window::aroundMe << "You have no score yet.";
    }
    void emptyListsSaySo()
    {
        QFETCH(Leaderboard::Scope, scope);
        QFETCH(Leaderboard::Window, window);
        QFETCH(QString, text);
        const bool first = Leaderboard::Query{scope, window} == Leaderboard::Query{};
        if (!first) // a list first, which the empty answer then replaces
            backend->setAnswer({}, scoresOf({row("b", "Bob", 900, 1)}, 1));
        LeaderboardPage page(kit);
        page.show();
        QVERIFY(firstAnswer(page));
        QCOMPARE(page.list()->isVisible(), !first);
        QSignalSpy shown(&page, &LeaderboardPage::shown);
        if (window != Window::top) {
            page.windowButton(window)->click();
            QVERIFY(shown.wait(30000));
        }
        if (scope != Scope::allTime) {
            page.scopeButton(scope)->click();
            QVERIFY(shown.wait(30000));
        }
        QVERIFY(page.emptyLabel()->isVisible());
        QCOMPARE(page.emptyLabel()->text(), text);
        QVERIFY(!page.list()->isVisible());
        QVERIFY(!page.playerCountLabel()->isVisible());
        QVERIFY(!page.errorLabel()->isVisible());
    }

    // A service out of reach says the player's scores are not lost; a
    // refusal says only why. The next answer clears it.
    void aFailedLoadSaysWhy()
    {
        backend->failNext(ServiceErrorCode::communicationsFailure);
        LeaderboardPage page(kit);
        page.show();
        QVERIFY(firstAnswer(page));
        QVERIFY(page.errorLabel()->isVisible());
        QVERIFY(page.errorLabel()->text().contains("could not be loaded"));
        QVERIFY(page.errorLabel()->text().contains("No answer from the service."));
        QVERIFY(page.errorLabel()->text().contains("wait on this computer"));
        QVERIFY(!page.emptyLabel()->isVisible());
        QVERIFY(!page.list()->isVisible());

        QSignalSpy shown(&page, &LeaderboardPage::shown);
        backend->failNext(ServiceErrorCode::invalidParameter);
        page.scopeButton(Scope::today)->click();
        QVERIFY(shown.wait(30000));
        QVERIFY(page.errorLabel()->isVisible());
        QVERIFY(!page.errorLabel()->text().contains("wait on this computer"));

        backend->setAnswer({Scope::week, Window::top}, scoresOf({row("b", "Bob", 900, 1)}, 1));
        page.scopeButton(Scope::week)->click();
        QVERIFY(shown.wait(30000));
        QVERIFY(!page.errorLabel()->isVisible());
        QCOMPARE(shownRows(page), QStringList{"1 Bob 900"});
    }

    // An answer that comes after the player chose something else, or after
    // the page is gone, is dropped.
    void aLateAnswerIsDropped()
    {
        backend->setAnswer({}, scoresOf({row("b", "Bob", 900, 1)}, 1));
        backend->setAnswer({Scope::today, Window::top}, scoresOf({row("c", "Cy", 40, 1)}, 1));
        backend->holdNext();
        auto page = std::make_unique<LeaderboardPage>(kit);
        page->show();
        QTRY_COMPARE_WITH_TIMEOUT(int(backend->asked().size()), 1, 30000);
        QSignalSpy shown(page.get(), &LeaderboardPage::shown);
        // One pooled service thread is busy with the held question; the kit
        // runs the next on another.
        page->scopeButton(Scope::today)->click();
        QVERIFY(shown.wait(30000));
        QCOMPARE(shownRows(*page), QStringList{"1 Cy 40"});
        backend->release();
        kit->waitForIdle();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shownRows(*page), QStringList{"1 Cy 40"});

        backend->holdNext();
        page->reload();
        QTRY_COMPARE_WITH_TIMEOUT(int(backend->asked().size()), 3, 30000);
        page.reset();
        backend->release();
        kit->waitForIdle();
        QCoreApplication::processEvents(); // the answer finds no page, and nothing breaks
    }

    // With more than one leaderboard the player picks one; with one there is
    // nothing to pick.
    void aBoardSelectorOnlyForSeveralBoards()
    {
        {
            LeaderboardPage page(kit);
            page.show();
            QVERIFY(firstAnswer(page));
            QVERIFY(!page.boardSelector()->isVisible());
        }
        backend->setBoards({{"sp_leaderboard", "Single player"}, {"duel", "Duels"}});
        LeaderboardPage page(kit, "duel");
        page.show();
        QVERIFY(firstAnswer(page));
        QVERIFY(page.boardSelector()->isVisible());
        QCOMPARE(page.board(), "duel");
        QSignalSpy shown(&page, &LeaderboardPage::shown);
        page.boardSelector()->setCurrentIndex(0);
        QVERIFY(shown.wait(30000));
        const auto asked = backend->asked();
        QCOMPARE(asked.size(), 3u);
        QCOMPARE(asked[1].board, "duel");
        QCOMPARE(asked[2].board, "sp_leaderboard");
        QCOMPARE(unnamedElements(&page).join("; "), QString());
    }
};

QTEST_MAIN(TestLeaderboardPage)
#include "tst_leaderboardpage.moc"
