#include "game/game.h"
#include "game/random/randomsource.h"
#include "game/solver/carelessstrategy.h"
#include "game/solver/codespace.h"
#include "game/solver/entropystrategy.h"
#include "game/solver/firstconsistentstrategy.h"
#include "game/solver/minimaxstrategy.h"
#include "game/solver/randomconsistentstrategy.h"

#include <QTest>

#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <thread>

using namespace kestrune;

namespace {

class SequenceRandom final : public RandomSource
{
public:
    explicit SequenceRandom(std::vector<std::uint64_t> words)
        : words(std::move(words))
    {
    }
    std::uint64_t next64() override { return words.at(next++ % words.size()); }
    std::vector<std::uint64_t> words;
    std::size_t next = 0;
};

// "1234:0,1 5678:1,1" -> two shots; a field that does not parse becomes an
// invalid shot, so that bad input can be written in the same notation.
std::vector<Shot> parseHistory(const QString &text)
{
    std::vector<Shot> history;
    for (const QString &turn : text.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = turn.split(':');
        const QStringList score = parts.value(1).split(',');
        history.push_back({parts.value(0).toStdString(), {score.value(0).toLongLong(), score.value(1).toLongLong()}});
    }
    return history;
}

std::vector<std::string> allCodes()
{
    std::vector<std::string> codes;
    for (int n = 1234; n <= 9876; ++n) {
        const std::string code = std::to_string(n);
        if (Game::isValidShot(code))
            codes.push_back(code);
    }
    return codes;
}

bool agreesWith(const std::string &code, const std::vector<Shot> &history)
{
    for (const Shot &shot : history)
        if (Game::score(code, shot.code) != shot.result)
            return false;
    return true;
}

// The partition rule written out plainly on strings and Game::score: each
// code's split of the candidates, the best cost, then a possible code, then the
// lowest. With onlyPossible, only the candidates themselves are shots.
std::string bruteForceShot(const std::vector<Shot> &history, bool entropy, bool onlyPossible = false)
{
    const std::vector<std::string> codes = allCodes();
    std::vector<std::string> candidates;
    for (const std::string &code : codes)
        if (agreesWith(code, history))
            candidates.push_back(code);
    std::string best;
    double bestCost = 0;
    bool bestPossible = false;
    for (const std::string &shot : onlyPossible ? candidates : codes) {
        std::map<std::pair<std::int64_t, std::int64_t>, int> classes;
        for (const std::string &candidate : candidates) {
            const Result result = Game::score(candidate, shot);
            ++classes[{result.bulls, result.cows}];
        }
        double cost = 0;
        for (const auto &[answer, count] : classes) {
            if (entropy) {
                const double p = double(count) / double(candidates.size());
                cost += p * std::log2(p); // minus the entropy
            } else {
                cost = std::max(cost, double(count));
            }
        }
        const bool possible = classes.count({4, 0}) > 0;
        if (best.empty() || cost < bestCost - 1e-9 || (cost <= bestCost + 1e-9 && possible && !bestPossible)) {
            best = shot;
            bestCost = cost;
            bestPossible = possible;
        }
    }
    return best;
}

std::unique_ptr<Strategy> makeStrategy(const std::string &name, RandomSource &random)
{
    if (name == "first")
        return std::make_unique<FirstConsistentStrategy>();
    if (name == "random")
        return std::make_unique<RandomConsistentStrategy>(random);
    if (name == "minimax")
        return std::make_unique<MinimaxStrategy>();
    if (name == "entropy")
        return std::make_unique<EntropyStrategy>();
    return std::make_unique<CarelessStrategy>(random, 0.5);
}

} // namespace

class TestSolver : public QObject
{
    Q_OBJECT

private slots:
    // First, so that both threads race to set up the codes and the opening.
    void firstUseFromTwoThreadsBuildsOnce()
    {
        EntropyStrategy shared;
        std::array<std::string, 2> openings;
        std::array<int, 2> answers{};
        std::array<std::thread, 2> threads;
        for (std::size_t i = 0; i < threads.size(); ++i)
            threads[i] = std::thread([&, i] {
                openings[i] = shared.nextShot({}).value_or("");
                answers[i] = CodeSpace::answer(CodeSpace::indexOf("1234"), CodeSpace::indexOf("4321"));
            });
        for (std::thread &thread : threads)
            thread.join();
        QCOMPARE(openings[0], std::string("1234"));
        QCOMPARE(openings[1], std::string("1234"));
        QCOMPARE(CodeSpace::answerResult(answers[0]), (Result{0, 4}));
        QCOMPARE(CodeSpace::answerResult(answers[1]), (Result{0, 4}));
    }

    void codeSpaceHoldsEveryValidCodeInOrderAndScoresThemAsTheGameDoes()
    {
        const std::vector<std::string> codes = allCodes();
        QCOMPARE(int(codes.size()), CodeSpace::size);
        for (int i = 0; i < CodeSpace::size; ++i) {
            QCOMPARE(CodeSpace::code(i), codes[std::size_t(i)]);
            QCOMPARE(CodeSpace::indexOf(codes[std::size_t(i)]), i);
        }
        for (const char *invalid : {"1123", "1230", "123", "12345", "12a4", ""})
            QVERIFY2(CodeSpace::indexOf(invalid) == -1, invalid);
        // Its table of answers agrees with Game::score.
        for (int shot = 0; shot < CodeSpace::size; ++shot)
            for (int code = 0; code < CodeSpace::size; ++code) {
                const Result expected = Game::score(CodeSpace::code(code), CodeSpace::code(shot));
                if (CodeSpace::answerResult(CodeSpace::answer(code, shot)) != expected)
                    QFAIL((CodeSpace::code(shot) + " against " + CodeSpace::code(code)).c_str());
            }
    }

    void badHistoryIsRefusedWithItsReason_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("error");
        const auto row = [](const char *name, const char *history, const char *error) {
            QTest::newRow(name) << QString(history) << QString(error);
        };
        row("empty history", "", "");
        row("two sound shots", "1234:0,1 5678:1,1", "");
        row("repeated digit", "1123:0,0", "shot 1: \"1123\" is not four different digits 1-9");
        row("five digits in the second shot", "1234:0,0 56789:0,0",
            "shot 2: \"56789\" is not four different digits 1-9");
        row("three bulls and a cow", "1234:3,1", "shot 1: 3 bulls and 1 cows cannot be scored");
        row("five digits scored", "1234:2,3", "shot 1: 2 bulls and 3 cows cannot be scored");
        row("negative cows", "1234:0,-1", "shot 1: 0 bulls and -1 cows cannot be scored");
        row("no code agrees", "1234:0,0 5678:0,0", "no code agrees with every answer");
        row("won, then a different score", "1234:4,0 1234:0,4", "no code agrees with every answer");
    }
    void badHistoryIsRefusedWithItsReason()
    {
        QFETCH(QString, history);
        QFETCH(QString, error);
        const std::vector<Shot> shots = parseHistory(history);
        QCOMPARE(QString::fromStdString(CodeSpace::historyError(shots)), error);
        SequenceRandom random({~0ull});
        for (const char *name : {"first", "random", "minimax", "entropy", "careless"})
            QCOMPARE(makeStrategy(name, random)->nextShot(shots).has_value(), error.isEmpty());
    }

    // Every secret, each proposal checked against the answers so far with
    // Game::score where the strategy promises an agreeing code.
    void everySecretIsBrokenWithinTheBound_data()
    {
        QTest::addColumn<QString>("strategy");
        QTest::addColumn<int>("worst");
        QTest::addColumn<bool>("promisesConsistent");
        QTest::newRow("first consistent") << "first" << 8 << true;
        QTest::newRow("random consistent") << "random" << 9 << true;
        QTest::newRow("minimax") << "minimax" << 7 << false;
        QTest::newRow("entropy") << "entropy" << 7 << false;
    }
    void everySecretIsBrokenWithinTheBound()
    {
        QFETCH(QString, strategy);
        QFETCH(int, worst);
        QFETCH(bool, promisesConsistent);
        SequenceRandom random({0x9e3779b97f4a7c15ull, 0x2545f4914f6cdd1dull, 0xd1b54a32d192ed03ull, ~0ull});
        const auto player = makeStrategy(strategy.toStdString(), random);
        for (const std::string &secret : allCodes()) {
            std::vector<Shot> history;
            while (history.empty() || history.back().result.bulls != 4) {
                if (int(history.size()) == worst)
                    QFAIL(("not broken in time: " + secret).c_str());
                const std::optional<std::string> shot = player->nextShot(history);
                QVERIFY(shot.has_value());
                if (promisesConsistent && !agreesWith(*shot, history))
                    QFAIL((*shot + " disagrees with the answers before it, secret " + secret).c_str());
                history.push_back({*shot, Game::score(secret, *shot)});
            }
        }
    }

    void partitionStrategiesAgreeWithBruteForce_data()
    {
        QTest::addColumn<QString>("history");
        QTest::newRow("opening") << "";
        QTest::newRow("after the opening, one cow") << "1234:0,1";
        QTest::newRow("after another first shot") << "5678:0,2";
        QTest::newRow("two shots") << "1234:1,1 1567:0,2";
        QTest::newRow("three shots") << "1234:0,2 3156:1,0 4719:1,1";
        QTest::newRow("two left") << "1234:2,2 2143:2,2";
        QTest::newRow("one left") << "1234:2,2 1243:0,4";
        QTest::newRow("all digits placed") << "1234:0,4";
    }
    void partitionStrategiesAgreeWithBruteForce()
    {
        QFETCH(QString, history);
        const std::vector<Shot> shots = parseHistory(history);
        QVERIFY(CodeSpace::historyError(shots).empty());
        MinimaxStrategy minimax;
        EntropyStrategy entropy;
        QCOMPARE(minimax.nextShot(shots).value_or(""), bruteForceShot(shots, false));
        QCOMPARE(entropy.nextShot(shots).value_or(""), bruteForceShot(shots, true));
        QCOMPARE(minimax.nextConsistentShot(shots).value_or(""), bruteForceShot(shots, false, true));
        QCOMPARE(entropy.nextConsistentShot(shots).value_or(""), bruteForceShot(shots, true, true));
    }

    void randomConsistentDrawsFromTheAgreeingCodes_data()
    {
        QTest::addColumn<quint64>("word");
        QTest::addColumn<QString>("shot");
        // 120 codes of the digits 5-9 agree; the word picks by its top bits.
        QTest::newRow("lowest word") << quint64(1) << "5678";
        QTest::newRow("highest word") << ~quint64(0) << "9876";
        QTest::newRow("middle word") << ((quint64(1) << 63) + 1) << "7856";
    }
    void randomConsistentDrawsFromTheAgreeingCodes()
    {
        QFETCH(quint64, word);
        QFETCH(QString, shot);
        SequenceRandom random({word});
        RandomConsistentStrategy strategy(random);
        QCOMPARE(strategy.nextShot(parseHistory("1234:0,0")).value_or(""), shot.toStdString());
    }

    void carelessThinksAsOftenAsItsShareSays_data()
    {
        QTest::addColumn<double>("share");
        QTest::addColumn<quint64>("thought");
        QTest::addColumn<QString>("shot");
        // The first word decides (in thousandths) whether it thinks, the
        // second picks the code; the lowest words pick the lowest codes.
        QTest::newRow("careful: the lowest code that fits") << 0.55 << quint64(1) << "5678";
        // Careless: the lowest code not yet played, though the answer ruled it out.
        QTest::newRow("careless: the lowest fresh code") << 0.55 << ~quint64(0) << "1235";
        QTest::newRow("always careful") << 1.0 << ~quint64(0) << "5678";
        QTest::newRow("never careful") << 0.0 << quint64(1) << "1235";
        QTest::newRow("above 1 is always") << 7.0 << ~quint64(0) << "5678";
        QTest::newRow("NaN is never") << std::nan("") << quint64(1) << "1235";
    }
    void carelessThinksAsOftenAsItsShareSays()
    {
        QFETCH(double, share);
        QFETCH(quint64, thought);
        QFETCH(QString, shot);
        SequenceRandom random({thought, 1});
        CarelessStrategy strategy(random, share);
        QCOMPARE(strategy.nextShot(parseHistory("1234:0,0")).value_or(""), shot.toStdString());
    }
};

QTEST_GUILESS_MAIN(TestSolver)
#include "tst_solver.moc"
