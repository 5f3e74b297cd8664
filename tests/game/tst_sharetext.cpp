#include "englishcatalogue.h"
#include "fakeclock.h"

#include "game/gamemanager.h"
#include "game/gameprotocol.h"
#include "game/sharetext.h"

#include <QRegularExpression>
#include <QTest>

using namespace kestrune;
using namespace kestrune::test;

Q_DECLARE_METATYPE(kestrune::Result)

namespace {

const QString homePage = QStringLiteral("https://kestrune.example.org");

} // namespace

class TestShareText : public QObject
{
    Q_OBJECT

    FakeClock clock;

    // The normal computer opens with the lowest code, 1234.
    std::unique_ptr<GameManager> match(int players, const std::vector<std::string> &codes,
                                       std::optional<ComputerStrength> computer = std::nullopt)
    {
        GameEnvironment environment;
        environment.clock = &clock;
        auto next = std::make_shared<std::size_t>(0);
        environment.drawCode = [codes, next] { return codes.at((*next)++); };
        return computer ? GameManager::createAgainstComputer(*computer, environment)
                        : GameManager::create(players, environment);
    }

private slots:
    void aRowIsFourMarksBullsFirst_data()
    {
        QTest::addColumn<Result>("result");
        QTest::addColumn<QString>("row");
        QTest::newRow("nothing") << Result{0, 0} << QStringLiteral("····");
        QTest::newRow("mixed") << Result{1, 2} << QStringLiteral("●○○·");
        QTest::newRow("all cows") << Result{0, 4} << QStringLiteral("○○○○");
        QTest::newRow("broken") << Result{4, 0} << QStringLiteral("●●●●");
        // Never more than four marks, whatever the result claims.
        QTest::newRow("too many") << Result{3, 3} << QStringLiteral("●●●○");
        QTest::newRow("negative") << Result{-1, 5} << QStringLiteral("○○○○");
    }
    void aRowIsFourMarksBullsFirst()
    {
        QFETCH(Result, result);
        QFETCH(QString, row);
        QCOMPARE(ShareText::row(result), row);
    }

    void aSinglePlayersWinReadsInFull()
    {
        auto m = match(1, {"1234"});
        m->currentGame()->shot("5678");
        clock.advance(40);
        m->currentGame()->shot("1243");
        clock.advance(43.6);
        m->currentGame()->shot("1234");
        QCOMPARE(ShareText::forMatch(*m, homePage), QStringLiteral("Kestrune: broke the code in 3 shots (1:23)\n"
                                                                   "····\n"
                                                                   "●●○○\n"
                                                                   "●●●●\n"
                                                                   "\n"
                                                                   "It's a record of my last game. Try it yourself! "
                                                                   "https://kestrune.example.org"));
    }

    void aLossSaysSoAndAMissingLinkLeavesNoSpace()
    {
        auto m = match(1, {"1234"});
        for (int i = 0; i < 10; ++i)
            m->currentGame()->shot("5679");
        const QString text = ShareText::forMatch(*m, QStringLiteral("  "));
        QVERIFY(text.startsWith(QStringLiteral("Kestrune: did not break the code in 10 shots\n")));
        QVERIFY(text.endsWith(QStringLiteral("\n\nIt's a record of my last game. Try it yourself!")));
        QCOMPARE(text.count(QStringLiteral("····")), 10);
    }

    void twoPlayersGetANamedBoardEach()
    {
        auto m = match(2, {"1234", "5678"});
        m->games()[0]->shot("1243");
        m->games()[1]->shot("5687");
        clock.advance(5);
        m->games()[0]->shot("1235");
        m->games()[1]->shot("5678");
        QCOMPARE(m->gameState().kind(), GameState::Kind::won);
        // The first player's game is not over by its own rules, but the match is.
        QCOMPARE(ShareText::forMatch(*m, homePage), QStringLiteral("Kestrune, two players: Player 2 won\n"
                                                                   "Player 1: did not break the code in 2 shots\n"
                                                                   "●●○○\n"
                                                                   "●●●·\n"
                                                                   "Player 2: broke the code in 2 shots (0:05)\n"
                                                                   "●●○○\n"
                                                                   "●●●●\n"
                                                                   "\n"
                                                                   "It's a record of my last game. Try it yourself! "
                                                                   "https://kestrune.example.org"));
    }

    void aMatchAgainstTheComputerNamesItAndItsStrength()
    {
        auto m = match(2, {"5678", "1234"}, ComputerStrength::normal);
        m->currentGame()->shot("9876");
        QVERIFY(m->playComputerShot());
        const QString text = ShareText::forMatch(*m, homePage);
        QCOMPARE(text.section(QStringLiteral("\n\n"), 0, 0),
                 QStringLiteral("Kestrune, against the computer (Normal): the computer won\n"
                                "Me: did not break the code in 1 shot\n"
                                "●○○·\n"
                                "Computer: broke the code in 1 shot (0:00)\n"
                                "●●●●"));
    }

    void noCodeOrShotGivesItsDigitsAway()
    {
        auto m = match(2, {"2619", "8437"});
        const std::vector<std::string> shots{"1234", "5678", "2916", "8437", "2619"};
        for (std::size_t i = 0; m->gameState().isPending(); ++i) {
            m->games()[0]->shot(shots[i % shots.size()]);
            m->games()[1]->shot(shots[(i + 1) % shots.size()]);
        }
        const QString text = ShareText::forMatch(*m, homePage);
        for (const std::string &code : shots)
            QVERIFY2(!text.contains(QString::fromStdString(code)), code.c_str());
        // Counts and times have at most two digits in a row; a code has four.
        QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("\\d{3}"))), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestShareText)
#include "tst_sharetext.moc"
