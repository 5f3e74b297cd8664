#include "accessibilityrecorder.h"
#include "fakes/fakeservicebackend.h"

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

using namespace kestrune;
using namespace kestrune::test;

namespace {

using Scope = Leaderboard::Scope;
using Window = Leaderboard::Window;
using Call = FakeServiceBackend::Call;
const QString board = QStringLiteral("sp_leaderboard");

Score row(const QString &id, const QString &name, std::int64_t value, std::int64_t rank)
{
    Score s(board);
    s.setPlayerID(id);
    s.setDisplayName(name);
    s.setValue(value);
    s.setRank(rank);
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

    std::shared_ptr<FakeServiceBackend> backend;
    std::shared_ptr<ServiceKit> kit;

    // The answer to one query; any other brings no scores.
    void answer(Leaderboard::Query query, std::vector<Score> rows, std::int64_t players)
    {
        backend->setLeaderboardScores(board, std::move(rows), players, query);
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

    // A kit whose player is signed in before the page asks.
    void init()
    {
        backend = std::make_shared<FakeServiceBackend>();
        backend->setSignedIn(ServiceBackend::Player{"me", "Ada"});
        backend->setCatalogue({{{board, "Single player"}}, {}});
        kit = ServiceKit::create(backend);
        kit->localPlayer().setAuthenticateHandler([](auto, auto) {});
        QTRY_VERIFY_WITH_TIMEOUT(kit->localPlayer().isAuthenticated(), 30000);
    }
    void cleanup()
    {
        backend->releaseAll();
        kit->waitForIdle();
        kit.reset();
        backend.reset();
    }

    // Every choice asks the service anew, by click or by keyboard; the
    // list is the answer to that question.
    void eachChoiceAsksForItsScores()
    {
        answer({Scope::allTime, Window::top}, {row("b", "Bob", 900, 1)}, 1);
        answer({Scope::today, Window::top}, {row("c", "Cy", 40, 1)}, 1);
        answer({Scope::today, Window::aroundMe}, {row("me", "Ada", 30, 2)}, 7);
        answer({Scope::week, Window::aroundMe}, {row("me", "Ada", 80, 3)}, 9);
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
        const std::vector<std::pair<QString, Leaderboard::Query>> expected{
            {board, {Scope::allTime, Window::top}},
            {board, {Scope::today, Window::top}},
            {board, {Scope::today, Window::aroundMe}},
            {board, {Scope::week, Window::aroundMe}},
        };
        QVERIFY(backend->queries() == expected);
    }

    // Ranks as the service gives them (equal scores share one); the
    // player's row stands out and says it is the player's.
    void thePlayersRowIsMarked()
    {
        answer({}, {row("b", "Bob", 900, 1), row("me", "Ada", 800, 2), row("c", "Cy", 800, 2), row("d", "", 700, 4)},
               1289);
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
            answer({}, {row("b", "Bob", 900, 1)}, 1);
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
        backend->failNext(Call::LoadScores);
        LeaderboardPage page(kit);
        page.show();
        QVERIFY(firstAnswer(page));
        QVERIFY(page.errorLabel()->isVisible());
        QVERIFY(page.errorLabel()->text().contains("could not be loaded"));
        QVERIFY(page.errorLabel()->text().contains("The service did not answer."));
        QVERIFY(page.errorLabel()->text().contains("wait on this computer"));
        QVERIFY(!page.emptyLabel()->isVisible());
        QVERIFY(!page.list()->isVisible());

        QSignalSpy shown(&page, &LeaderboardPage::shown);
        backend->failNext(Call::LoadScores, ServiceErrorCode::invalidParameter);
        page.scopeButton(Scope::today)->click();
        QVERIFY(shown.wait(30000));
        QVERIFY(page.errorLabel()->isVisible());
        QVERIFY(!page.errorLabel()->text().contains("wait on this computer"));

        answer({Scope::week, Window::top}, {row("b", "Bob", 900, 1)}, 1);
        page.scopeButton(Scope::week)->click();
        QVERIFY(shown.wait(30000));
        QVERIFY(!page.errorLabel()->isVisible());
        QCOMPARE(shownRows(page), QStringList{"1 Bob 900"});
    }

    // An answer that comes after the player chose something else, or after
    // the page is gone, is dropped.
    void aLateAnswerIsDropped()
    {
        answer({}, {row("b", "Bob", 900, 1)}, 1);
        answer({Scope::today, Window::top}, {row("c", "Cy", 40, 1)}, 1);
        backend->holdNext(Call::LoadScores);
        auto page = std::make_unique<LeaderboardPage>(kit);
        page->show();
        QVERIFY(backend->waitUntilHeld(Call::LoadScores));
        QSignalSpy shown(page.get(), &LeaderboardPage::shown);
        // One pooled service thread is busy with the held question; the kit
        // runs the next on another.
        page->scopeButton(Scope::today)->click();
        QVERIFY(shown.wait(30000));
        QCOMPARE(shownRows(*page), QStringList{"1 Cy 40"});
        backend->release(Call::LoadScores);
        kit->waitForIdle();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shownRows(*page), QStringList{"1 Cy 40"});

        backend->holdNext(Call::LoadScores);
        page->reload();
        QVERIFY(backend->waitUntilHeld(Call::LoadScores));
        page.reset();
        backend->release(Call::LoadScores);
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
        backend->setCatalogue({{{board, "Single player"}, {"duel", "Duels"}}, {}});
        LeaderboardPage page(kit, "duel");
        page.show();
        QVERIFY(firstAnswer(page));
        QVERIFY(page.boardSelector()->isVisible());
        QCOMPARE(page.board(), "duel");
        QSignalSpy shown(&page, &LeaderboardPage::shown);
        page.boardSelector()->setCurrentIndex(0);
        QVERIFY(shown.wait(30000));
        const auto asked = backend->queries();
        QCOMPARE(asked.size(), 3u);
        QCOMPARE(asked[1].first, "duel");
        QCOMPARE(asked[2].first, board);
        QCOMPARE(unnamedElements(&page).join("; "), QString());
    }
};

QTEST_MAIN(TestLeaderboardPage)
#include "tst_leaderboardpage.moc"
