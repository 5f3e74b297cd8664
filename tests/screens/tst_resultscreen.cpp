#include "accessibilityrecorder.h"
#include "englishcatalogue.h"
#include "fakeclock.h"
#include "manualanimationdriver.h"
#include "playedmatch.h"

#include "game/gamemanager.h"
#include "game/gameprotocol.h"
#include "game/playerprotocol.h"
#include "game/sharetext.h"
#include "platform/device/deviceprofile.h"
#include "platform/i18n/pseudotranslator.h"
#include "platform/resources/resources.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/outcome/boardsnapshot.h"
#include "screens/outcome/boardsnapshotjob.h"
#include "screens/outcome/resultviewcontrollerdelegate.h"
#include "screens/result/appinfo.h"
#include "screens/result/imagebutton.h"
#include "screens/result/namedimageview.h"
#include "screens/result/resultgameservice.h"
#include "screens/result/resultviewcontroller.h"
#include "views/dots/numberview.h"
#include "views/widgets/button.h"

#include <QBoxLayout>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// A game whose shots, time and points a test chooses.
class FakeGame final : public GameProtocol
{
public:
    FakeGame(std::string code, std::size_t shotCount, double seconds, std::optional<std::int64_t> points)
        : m_code(std::move(code))
        , m_shots(shotCount, Shot{})
        , m_duration(seconds)
        , m_points(points)
    {
    }
    std::string code() const override { return m_code; }
    const std::vector<Shot> &shots() const override { return m_shots; }
    bool isEnded() const override { return true; }
    bool isWon() const override { return m_points.has_value(); }
    std::optional<Clock::TimePoint> gameStartDate() const override { return {}; }
    std::optional<Clock::TimePoint> gameEndDate() const override { return {}; }
    const rx::PublishSubject<Result> &resultSubject() const override { return m_results; }
    double duration() const override { return m_duration; }
    std::optional<std::int64_t> points() const override { return m_points; }
    GameDelegate *delegate() const override { return nullptr; }
    void setDelegate(GameDelegate *) override {}
    std::optional<Result> shot(const std::string &) override { return {}; }

private:
    std::string m_code;
    std::vector<Shot> m_shots;
    double m_duration;
    std::optional<std::int64_t> m_points;
    rx::PublishSubject<Result> m_results;
};

class FakePlayer final : public PlayerProtocol
{
public:
    FakePlayer(std::shared_ptr<GameProtocol> game, std::int64_t number)
        : m_game(std::move(game))
        , m_number(number)
    {
    }
    const std::shared_ptr<GameProtocol> &game() const override { return m_game; }
    std::int64_t number() const override { return m_number; }

private:
    std::shared_ptr<GameProtocol> m_game;
    std::int64_t m_number;
};

// A decided match: `winner` 0 for none; a tie when `tie` is set.
class FakeMatch final : public GameManaging
{
public:
    FakeMatch(std::vector<std::shared_ptr<GameProtocol>> games, int winner, bool tie = false)
        : m_games(games)
        , m_winner(winner)
        , m_tie(tie)
    {
        for (std::size_t i = 0; i < games.size(); ++i)
            m_players.push_back(std::make_shared<FakePlayer>(games[i], std::int64_t(i + 1)));
    }
    const std::vector<std::shared_ptr<PlayerProtocol>> &players() const override { return m_players; }
    std::vector<std::shared_ptr<GameProtocol>> games() const override { return m_games; }
    std::vector<std::string> codes() const override
    {
        std::vector<std::string> codes;
        for (const auto &game : m_games)
            codes.push_back(game->code());
        return codes;
    }
    GameState gameState() const override
    {
        if (m_tie)
            return GameState::tie(codes());
        if (m_winner == 0)
            return GameState::lost(codes());
        return GameState::won({m_players[std::size_t(m_winner - 1)]});
    }
    std::shared_ptr<GameProtocol> currentGame() const override { return m_games.front(); }
    const rx::PublishSubject<GameState> &gameStateSubject() const override { return m_states; }
    std::optional<ComputerStrength> computerStrength() const override { return computer; }
    bool isComputerTurn() const override { return false; }
    rx::Disposable prepareComputerShot(std::function<void()>) override { return {}; }
    std::optional<Result> playComputerShot() override { return {}; }
    int hintsLeft() const override { return 0; }
    int hintsUsed() const override { return hints; }
    rx::Disposable requestHint(std::function<void(std::optional<Hint>)>) override { return {}; }
    bool isHintPending() const override { return false; }

    std::optional<ComputerStrength> computer;
    int hints = 0;

private:
    std::vector<std::shared_ptr<GameProtocol>> m_games;
    std::vector<std::shared_ptr<PlayerProtocol>> m_players;
    int m_winner;
    bool m_tie;
    rx::PublishSubject<GameState> m_states;
};

using Games = std::vector<std::shared_ptr<GameProtocol>>;

// A decided match in which `hints` were used.
std::shared_ptr<GameManaging> decided(Games games, int winner, bool tie = false, int hints = 0)
{
    auto match = std::make_shared<FakeMatch>(std::move(games), winner, tie);
    match->hints = hints;
    return match;
}

std::shared_ptr<GameManaging> singleWin(std::size_t shots, double seconds, std::int64_t points)
{
    return decided({std::make_shared<FakeGame>("1234", shots, seconds, points)}, 1);
}

// A match in which the computer played player 2.
std::shared_ptr<GameManaging> vsComputer(Games games, int winner, bool tie = false)
{
    auto match = std::make_shared<FakeMatch>(std::move(games), winner, tie);
    match->computer = ComputerStrength::normal;
    return match;
}

void useProfile(const QString &name)
{
    DeviceProfile::setCurrent(*DeviceProfile::fromName(name));
}

QImage boardImage(QSize size = QSize(120, 180))
{
    QImage image(size * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::darkCyan);
    return image;
}

// The game screen as the result screen sees it: it writes down what it saw
// when asked to play again.
class RecordingDelegate final : public QObject, public ResultViewControllerDelegate
{
public:
    std::function<void()> onPlayAgain;
    int calls = 0;
    void playAgain() override
    {
        ++calls;
        if (onPlayAgain)
            onPlayAgain();
    }
};

// The result screen's service port, scripted: a challenge in play or
// not, sending allowed or not; it writes down what it was asked.
class FakeResultService final : public ResultGameService
{
public:
    std::optional<Challenge> inPlay;
    bool canSend = false;
    int takes = 0;
    std::vector<std::pair<QWidget *, std::int64_t>> dialogs;

    std::optional<Challenge> takeChallengeInPlay() override
    {
        ++takes;
        return std::exchange(inPlay, std::nullopt);
    }
    bool canSendChallenges() const override { return canSend; }
    void presentChallengeDialog(QWidget *over, std::int64_t score) override { dialogs.emplace_back(over, score); }
};

// A window the size of the named device (a phone by default) with a plain root.
struct Stack
{
    NavigationController navigation;
    ViewController *root = new ViewController;
    explicit Stack(const QString &profile = QStringLiteral("phone"))
    {
        useProfile(profile);
        navigation.resize(DeviceProfile::current().size().toSize());
        navigation.pushViewController(root, false);
        navigation.show();
    }
    ResultViewController *push(std::shared_ptr<GameManaging> match, ResultGameService *service = nullptr,
                               const QList<QImage> &boards = {})
    {
        auto *screen = new ResultViewController;
        if (match)
            screen->setGameManager(match);
        if (service)
            screen->setGameService(service);
        if (!boards.isEmpty())
            screen->setGameResults(boards);
        navigation.pushViewController(screen, false);
        return screen;
    }
};

} // namespace

// The round line as a long translation might say it.
class LongRoundLine final : public QTranslator
{
public:
    static constexpr const char *text = "Round #%1, a line made long on purpose to wrap, %n seconds of text";
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return qstrcmp(source, "Round #%1 in %n seconds") == 0 ? QString::fromUtf8(text) : QString();
    }
    bool isEmpty() const override { return false; }
};

class TestResultScreen : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DeviceProfile::setCurrent(DeviceProfile::phone());
        NavigationController::setAnimationsEnabled(false);
    }

    void cleanup() { NavigationController::setAnimationsEnabled(true); }

    void eachOutcomeShowsItsPictureAndTexts_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<std::shared_ptr<GameManaging>>("match");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("description"); // null: removed
        QTest::addColumn<bool>("points");

        const auto lost = [](const std::string &code) {
            return std::make_shared<FakeGame>(code, 10, 80, std::nullopt);
        };
        const auto won = [](std::size_t shots) { return std::make_shared<FakeGame>("5678", shots, 30, 400); };
        const auto row = [](const char *name, const char *profile, std::shared_ptr<GameManaging> match,
                            const char *picture, const char *headline, const char *description, bool points) {
            QTest::newRow(name) << QString(profile) << match << QString(picture) << QString(headline)
                                << QString(description) << points;
        };
        const char *lostOne = "The code you were\nlooking for: 1234";
        row("single win", "phone", singleWin(7, 45, 812), "Win", "You have won!", "Round #7 in 45 seconds", true);
        row("two-player win by player 2", "phone", decided({lost("1234"), won(6)}, 2), "Win", "Player #2 has won!",
            nullptr, false);
        row("tie", "phone", decided({won(5), won(5)}, 0, true), "Tie", "It is a tie!", nullptr, false);
        row("lost, one code", "phone", decided({lost("1234")}, 0), "Lose", "You have lost!", lostOne, false);
        row("lost, two codes", "phone", decided({lost("1234"), lost("5678")}, 0), "Lose", "You have lost!",
            "Codes you were\nlooking for: 1234, 5678", false);
        row("lost on a small phone: no code line", "small-phone", decided({lost("1234")}, 0), "Lose", "You have lost!",
            nullptr, false);
        row("single win on a small phone: no round line, digits stay", "small-phone", singleWin(7, 45, 812), "Win",
            "You have won!", nullptr, true);
        row("player beats the computer", "phone", vsComputer({won(6), lost("1234")}, 1), "Win", "You have won!",
            nullptr, false);
        // Losing to the computer shows the code the player missed, even
        // where a small screen leaves other descriptions out.
        row("the computer wins", "phone", vsComputer({lost("1234"), won(6)}, 2), "Lose", "The computer has won!",
            lostOne, false);
        row("the computer wins on a small phone", "small-phone", vsComputer({lost("1234"), won(6)}, 2), "Lose",
            "The computer has won!", lostOne, false);
        row("beating the computer on a small phone: no line", "small-phone", vsComputer({won(6), lost("1234")}, 1),
            "Win", "You have won!", nullptr, false);
        row("tie with the computer", "phone", vsComputer({won(5), won(5)}, 0, true), "Tie", "It is a tie!", nullptr,
            false);
        row("nobody broke it against the computer", "phone", vsComputer({lost("1234"), lost("5678")}, 0), "Lose",
            "You have lost!", lostOne, false);
    }

    void eachOutcomeShowsItsPictureAndTexts()
    {
        QFETCH(QString, profile);
        QFETCH(std::shared_ptr<GameManaging>, match);
        QFETCH(QString, picture);
        QFETCH(QString, headline);
        QFETCH(QString, description);
        QFETCH(bool, points);
        useProfile(profile);

        ResultViewController screen;
        screen.setGameManager(match);
        screen.loadView();

        QCOMPARE(screen.imageView()->imageName(), picture);
        QCOMPARE(screen.resultLabel()->text(), headline);
        QCOMPARE(screen.resultDescriptionLabel() != nullptr, !description.isNull());
        if (!description.isNull())
            QCOMPARE(screen.resultDescriptionLabel()->text(), description);
        QCOMPARE(screen.pointsStackView() != nullptr, points);
        if (!points) {
            // What is left of the outer stack shares its height equally.
            auto *stack = qobject_cast<QBoxLayout *>(screen.outerStackerView()->layout());
            for (int i = 0; i < stack->count(); ++i)
                QCOMPARE(stack->stretch(i), 1);
        }
    }

    void theRoundLineFollowsTimeAndScreenSize_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("line");
        QTest::addColumn<qreal>("pointSize");

        QTest::newRow("one second") << "phone" << 1.0 << "Round #3 in 1 second" << 18.0;
        QTest::newRow("1.5 rounds up to 2 seconds") << "phone" << 1.5 << "Round #3 in 2 seconds" << 18.0;
        QTest::newRow("0.4 rounds down to 0 seconds") << "phone" << 0.4 << "Round #3 in 0 seconds" << 18.0;
        QTest::newRow("2.5 rounds away from zero") << "phone" << 2.5 << "Round #3 in 3 seconds" << 18.0;
        QTest::newRow("tall phone breaks the line") << "tall-phone" << 45.0 << "Round #3\n45 seconds" << 22.0;
        QTest::newRow("tablet breaks the line") << "tablet" << 45.0 << "Round #3\n45 seconds" << 30.0;
    }

    void theRoundLineFollowsTimeAndScreenSize()
    {
        QFETCH(QString, profile);
        QFETCH(double, seconds);
        QFETCH(QString, line);
        QFETCH(qreal, pointSize);
        useProfile(profile);

        ResultViewController screen;
        screen.setGameManager(singleWin(3, seconds, 500));
        screen.loadView();

        QVERIFY(screen.resultDescriptionLabel());
        QCOMPARE(screen.resultDescriptionLabel()->text(), line);
        QCOMPARE(screen.resultDescriptionLabel()->font().pointSizeF(), pointSize);
    }

    // A translation too long for the line at the smallest size breaks
    // between words instead of losing both ends; the phone's room is known.
    void aTooLongRoundLineBreaksBetweenWords()
    {
        useProfile("phone");
        LongRoundLine longer;
        QCoreApplication::installTranslator(&longer);
        const auto removeLonger = qScopeGuard([&longer] { QCoreApplication::removeTranslator(&longer); });

        ResultViewController screen;
        screen.setGameManager(singleWin(3, 38, 808));
        screen.resize(DeviceProfile::current().size().toSize());
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));

        auto *label = screen.resultDescriptionLabel();
        QCOMPARE(label->font().pointSizeF(), ResultViewController::minimumDescriptionPointSize);
        const QStringList lines = label->text().split('\n');
        QVERIFY2(lines.size() >= 2, qPrintable(label->text()));
        // Nothing lost: the words are the translation's, in order.
        QCOMPARE(label->text().replace('\n', ' '), QString(LongRoundLine::text).replace("%1", "3").replace("%n", "38"));
        const QFontMetricsF metrics(label->font());
        for (const QString &line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= label->width(), qPrintable(line));
        QVERIFY(label->minimumHeight() >= lines.size() * metrics.height());
    }

    void thePointsFillTheDigitViewsFromTheRight_data()
    {
        QTest::addColumn<int>("digitViews");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("digits");

        QTest::newRow("7 in three views") << 3 << 7 << "007";
        QTest::newRow("57 in three views") << 3 << 57 << "057";
        QTest::newRow("7 in four views") << 4 << 7 << "0007";
        QTest::newRow("0 points") << 4 << 0 << "0000";
        QTest::newRow("1000 in four views") << 4 << 1000 << "1000";
        QTest::newRow("1000 in three views keeps the lowest three") << 3 << 1000 << "000";
    }

    void thePointsFillTheDigitViewsFromTheRight()
    {
        QFETCH(int, digitViews);
        QFETCH(int, points);
        QFETCH(QString, digits);

        ResultViewController screen;
        while (screen.numberViews().size() > digitViews)
            delete screen.numberViews().front();
        // Widgets other than digit views in the stack are passed over.
        screen.numberStackView()->layout()->addWidget(new QLabel(QStringLiteral("pts")));
        // Start from digits the rule must overwrite.
        for (NumberView *view : screen.numberViews())
            view->setNumber(9);
        screen.setGameManager(singleWin(4, 20, points));
        screen.loadView();

        QString shown;
        for (NumberView *view : screen.numberViews())
            shown += QString::number(view->number());
        QCOMPARE(shown, digits);
    }

    void anAssistedMatchSaysHowManyHints_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<std::shared_ptr<GameManaging>>("match");
        QTest::addColumn<QString>("line"); // null: no line
        QTest::addColumn<bool>("points");

        const auto lost = std::make_shared<FakeGame>("1234", 10, 80, std::nullopt);
        const auto win = [](int hints) {
            return decided({std::make_shared<FakeGame>("1234", 7, 45, 500)}, 1, false, hints);
        };
        QTest::newRow("unassisted win") << "phone" << win(0) << QString() << true;
        QTest::newRow("win with one hint") << "phone" << win(1) << "Assisted: 1 hint\nNot on the leaderboard" << true;
        QTest::newRow("win with three hints on a tablet")
            << "tablet" << win(3) << "Assisted: 3 hints\nNot on the leaderboard" << true;
        QTest::newRow("win on a small phone keeps the line")
            << "small-phone" << win(2) << "Assisted: 2 hints\nNot on the leaderboard" << true;
        QTest::newRow("lost with two hints") << "phone" << decided({lost}, 0, false, 2) << "Assisted: 2 hints" << false;
        QTest::newRow("two players") << "phone" << decided({lost, lost}, 0) << QString() << false;
    }

    void anAssistedMatchSaysHowManyHints()
    {
        QFETCH(QString, profile);
        QFETCH(std::shared_ptr<GameManaging>, match);
        QFETCH(QString, line);
        QFETCH(bool, points);
        Stack stack(profile);
        auto *screen = stack.push(match);
        QCOMPARE(screen->assistedLabel() != nullptr, !line.isNull());
        QCOMPARE(screen->pointsStackView() != nullptr, points);
        if (line.isNull())
            return;
        QLabel *assisted = screen->assistedLabel();
        QCOMPARE(assisted->text(), line);
        QVERIFY(assisted->isVisible());
        // Whole, between the headline and the play button.
        const int wanted = assisted->heightForWidth(assisted->width());
        QVERIFY(wanted <= assisted->height());
        const QRect own = QRect(assisted->mapTo(screen, QPoint(0, 0)), assisted->size());
        const QRect headline = QRect(screen->resultLabel()->mapTo(screen, QPoint(0, 0)), screen->resultLabel()->size());
        QVERIFY(own.top() >= headline.bottom());
        QVERIFY(own.bottom() < screen->playButton()->mapTo(screen, QPoint(0, 0)).y());
        QVERIFY(screen->rect().contains(own));
    }

    // Texts too long for the smallest phone (a translation, or English with
    // the two-line hint notice): the picture makes room, so the points stay
    // whole above the play button. Where the texts fit, it keeps its size.
    void longTextsOnASmallPhoneKeepThePointsAboveTheButton_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("lengthened");
        QTest::addColumn<int>("hints");
        QTest::addColumn<bool>("fullPicture");
        QTest::newRow("lengthened, small phone") << "small-phone" << true << 2 << false;
        QTest::newRow("hint notice, small phone") << "small-phone" << false << 2 << false;
        QTest::newRow("no hints, small phone") << "small-phone" << false << 0 << true;
        QTest::newRow("hint notice, phone") << "phone" << false << 2 << true;
    }

    void longTextsOnASmallPhoneKeepThePointsAboveTheButton()
    {
        QFETCH(QString, profile);
        QFETCH(bool, lengthened);
        QFETCH(int, hints);
        QFETCH(bool, fullPicture);
        PseudoTranslator longer;
        if (lengthened)
            QCoreApplication::installTranslator(&longer);
        const auto removeLonger = qScopeGuard([&longer] { QCoreApplication::removeTranslator(&longer); });
        Stack stack(profile);
        auto *screen = stack.push(decided({std::make_shared<FakeGame>("1234", 7, 45, 500)}, 1, false, hints));
        const QWidget *points = screen->pointsStackView();
        QVERIFY(points);
        QVERIFY(points->mapTo(screen, QPoint(0, points->height())).y()
                <= screen->playButton()->mapTo(screen, QPoint(0, 0)).y());
        // Not merely placed apart: the points get all the height they need.
        QVERIFY(points->height() >= points->sizeHint().height());
        const int picture = screen->imageView()->height();
        if (fullPicture)
            QCOMPARE(picture, ResultViewController::phonePictureSize);
        else
            QVERIFY(picture < ResultViewController::phonePictureSize);
        QCOMPARE(screen->imageView()->width(), picture);
    }

    void aChallengeInPlaySaysWhetherItWasBeaten_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<std::shared_ptr<GameManaging>>("match");
        QTest::addColumn<QString>("line"); // null: no line

        const auto lost = std::make_shared<FakeGame>("1234", 10, 80, std::nullopt);
        const auto won = [](std::int64_t points) { return std::make_shared<FakeGame>("1234", 7, 45, points); };
        QTest::newRow("beaten") << "phone" << singleWin(7, 45, 700) << "You beat Tobin's 610.";
        QTest::newRow("beaten on a small phone") << "small-phone" << singleWin(7, 45, 700) << "You beat Tobin's 610.";
        QTest::newRow("beaten on a tablet") << "tablet" << singleWin(7, 45, 700) << "You beat Tobin's 610.";
        QTest::newRow("equalled") << "phone" << singleWin(7, 45, 610) << "Tobin's 610 still stands.";
        QTest::newRow("below") << "phone" << singleWin(9, 80, 420) << "Tobin's 610 still stands.";
        QTest::newRow("lost") << "phone" << decided({lost}, 0) << "Tobin's 610 still stands.";
        // Kept off the leaderboard, an assisted score beats nobody there.
        QTest::newRow("assisted") << "phone" << decided({won(900)}, 1, false, 2) << "Tobin's 610 still stands.";
        QTest::newRow("two players") << "phone" << decided({won(900), lost}, 1) << QString();
        QTest::newRow("against the computer") << "phone" << vsComputer({won(900), lost}, 1) << QString();
    }

    void aChallengeInPlaySaysWhetherItWasBeaten()
    {
        QFETCH(QString, profile);
        QFETCH(std::shared_ptr<GameManaging>, match);
        QFETCH(QString, line);
        FakeResultService service;
        service.inPlay = ResultGameService::Challenge{QStringLiteral("Tobin"), 610};
        Stack stack(profile);
        auto *screen = stack.push(match, &service);

        // Over with this match, whatever it was.
        QCOMPARE(service.takes, 1);
        QVERIFY(!service.inPlay);
        QCOMPARE(screen->challengeLabel()->isVisible(), !line.isNull());
        if (line.isNull())
            return;
        QLabel *challenge = screen->challengeLabel();
        QCOMPARE(challenge->text(), line);
        // Whole, under the headline and above the play button.
        QVERIFY(challenge->heightForWidth(challenge->width()) <= challenge->height());
        const QRect own(challenge->mapTo(screen, QPoint(0, 0)), challenge->size());
        QVERIFY(own.top() >= screen->resultLabel()->mapTo(screen, QPoint(0, 0)).y() + screen->resultLabel()->height());
        QVERIFY(own.bottom() < screen->playButton()->mapTo(screen, QPoint(0, 0)).y());
    }

    void challengeAPlayerFollowsAWonScore_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<std::shared_ptr<GameManaging>>("match");
        QTest::addColumn<bool>("canSend");
        QTest::addColumn<bool>("offered");

        const auto lost = std::make_shared<FakeGame>("1234", 10, 80, std::nullopt);
        const auto won = [](std::int64_t points) { return std::make_shared<FakeGame>("1234", 7, 45, points); };
        QTest::newRow("a won score on a server") << "phone" << singleWin(7, 45, 700) << true << true;
        QTest::newRow("on a small phone") << "small-phone" << singleWin(7, 45, 700) << true << true;
        QTest::newRow("on a tablet") << "tablet" << singleWin(7, 45, 700) << true << true;
        QTest::newRow("nobody to send it to") << "phone" << singleWin(7, 45, 700) << false << false;
        QTest::newRow("lost") << "phone" << decided({lost}, 0) << true << false;
        QTest::newRow("assisted") << "phone" << decided({won(700)}, 1, false, 1) << true << false;
        QTest::newRow("two players") << "phone" << decided({won(700), lost}, 1) << true << false;
        QTest::newRow("no score") << "phone" << singleWin(7, 45, 0) << true << false;
    }

    void challengeAPlayerFollowsAWonScore()
    {
        QFETCH(QString, profile);
        QFETCH(std::shared_ptr<GameManaging>, match);
        QFETCH(bool, canSend);
        QFETCH(bool, offered);
        FakeResultService service;
        service.canSend = canSend;
        Stack stack(profile);
        auto *screen = stack.push(match, &service);
        // No challenge in play: no line about one.
        QCOMPARE(service.takes, 1);
        QVERIFY(screen->challengeLabel()->isHidden());
        QCOMPARE(screen->challengeButton()->isVisible(), offered);
        if (!offered)
            return;
        // Whole, under "Play again", and on the keyboard's way after it.
        const QRect own(screen->challengeButton()->mapTo(screen, QPoint(0, 0)), screen->challengeButton()->size());
        QVERIFY(screen->rect().contains(own));
        QVERIFY(own.top() >= screen->playButton()->mapTo(screen, QPoint(0, 0)).y() + screen->playButton()->height());
        QCOMPARE(screen->playButton()->nextInFocusChain(), screen->challengeButton());
        QCOMPARE(unnamedElements(screen).join("; "), QString());
        screen->challengeButton()->click();
        QCOMPARE(service.dialogs.size(), std::size_t(1));
        QCOMPARE(service.dialogs[0].first, screen->window());
        QCOMPARE(service.dialogs[0].second, 700);
    }

    // The tablet's face-to-face play turns the window back while the result
    // comes in: the sizes follow the new height, also when the match had no
    // hints and no points and those labels are gone.
    void aTabletScreenFollowsTheWindowAfterItsLabelsWent()
    {
        const auto lost = std::make_shared<FakeGame>("1234", 10, 80, std::nullopt);
        Stack stack("tablet");
        const QSize full = DeviceProfile::current().size().toSize();
        auto *screen = stack.push(decided({lost, lost}, 0));
        QVERIFY(!screen->assistedLabel());
        QVERIFY(!screen->pointsStackView());
        const qreal before = screen->resultLabel()->font().pointSizeF();

        stack.navigation.resize(full.width(), full.height() * 3 / 4);
        QCoreApplication::sendPostedEvents();
        stack.navigation.resize(full.transposed());
        QCoreApplication::sendPostedEvents();

        const qreal scale = ResultViewController::tabletScale(full.width());
        QVERIFY(scale < 1.0);
        QCOMPARE(screen->resultLabel()->font().pointSizeF(), 36 * scale);
        QVERIFY(screen->resultLabel()->font().pointSizeF() < before);
        QVERIFY(screen->playButton()->isVisible());
    }

    // One card per board picture, each showing its own and named after
    // whose board it is; the first peeks in at the left, the second at the right.
    void oneCardPerBoardImage_data()
    {
        QTest::addColumn<bool>("computer");
        QTest::addColumn<int>("boards");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("shareNames");
        QTest::newRow("none") << false << 0 << QStringList() << QStringList();
        QTest::newRow("one player") << false << 1 << QStringList{"Your board"} << QStringList{"Share"};
        QTest::newRow("two players") << false << 2 << QStringList{"Board of player 1", "Board of player 2"}
                                     << QStringList{"Share player 1's board", "Share player 2's board"};
        QTest::newRow("against the computer") << true << 2 << QStringList{"Your board", "Computer's board"}
                                              << QStringList{"Share your board", "Share the computer's board"};
    }

    void oneCardPerBoardImage()
    {
        QFETCH(bool, computer);
        QFETCH(int, boards);
        QFETCH(QStringList, names);
        QFETCH(QStringList, shareNames);
        std::vector<std::shared_ptr<GameProtocol>> games;
        QList<QImage> images;
        for (int i = 0; i < boards; ++i) {
            games.push_back(std::make_shared<FakeGame>("1234", 10, 80, std::nullopt));
            images.append(boardImage(QSize(100 + 20 * i, 150)));
        }
        ResultViewController screen;
        if (boards > 0) {
            auto match = std::make_shared<FakeMatch>(games, 0);
            if (computer)
                match->computer = ComputerStrength::hard;
            screen.setGameManager(match);
        }
        screen.setGameResults(images);
        screen.resize(375, 667);
        screen.show();

        const QList<GameResultView *> cards{screen.leftGameResultView(), screen.rightGameResultView()};
        QStringList shown, shares;
        for (int i = 0; i < cards.size(); ++i) {
            QCOMPARE(cards[i]->isVisible(), i < boards);
            if (i >= boards)
                continue;
            QCOMPARE(cards[i]->imageView()->image(), images[i]);
            QCOMPARE(cards[i]->shareButtonSide(), i == 0 ? GameResultView::ShareButtonSide::leading
                                                         : GameResultView::ShareButtonSide::trailing);
            // Only 25 points of it peek in.
            QCOMPARE(i == 0 ? cards[i]->geometry().right() + 1 : cards[i]->x(), i == 0 ? 25 : 375 - 25);
            shown << cards[i]->imageView()->accessibleName();
            shares << cards[i]->shareButton()->accessibleName();
        }
        QCOMPARE(shown, names);
        QCOMPARE(shares, shareNames);
    }

    // A reader hears the screen by a spoken name and the score as one
    // number, not as a label and four digits, and finds nothing unnamed.
    void theScoreReadsAsOneNumber_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("name");
        QTest::newRow("many") << 850 << "850 points";
        QTest::newRow("one") << 1 << "1 point";
    }
    void theScoreReadsAsOneNumber()
    {
        QFETCH(int, points);
        QFETCH(QString, name);
        Stack stack;
        auto *screen = stack.push(singleWin(4, 20, points), nullptr, {boardImage()});
        QCOMPARE(screen->objectName(), "ResultViewController");
        QCOMPARE(QAccessible::queryAccessibleInterface(screen)->text(QAccessible::Name), "Result");
        QVERIFY(screen->pointsStackView() && screen->pointsStackView()->isVisible());
        QAccessibleInterface *score = QAccessible::queryAccessibleInterface(screen->pointsStackView());
        QCOMPARE(score->text(QAccessible::Name), name);
        QCOMPARE(score->childCount(), 0);
        QCOMPARE(score->role(), QAccessible::StaticText);
        QCOMPARE(test::unnamedElements(&stack.navigation).join("; "), QString());
    }

    void noMatchLeavesTheTextsAlone()
    {
        ResultViewController screen;
        screen.loadView();
        QVERIFY(screen.imageView()->imageName().isEmpty());
        QVERIFY(screen.resultDescriptionLabel());
        QVERIFY(screen.pointsStackView());
    }

    void aCardKeepsItsImageShapeAndCastsAShortenedShadow()
    {
        GameResultView card;
        card.setImage(boardImage(QSize(100, 150)));
        const int width = 160;
        card.resize(width, card.heightForWidth(width));
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        const QSize image = card.imageView()->size();
        QVERIFY(qAbs(image.height() - image.width() * 1.5) <= 1);
        const QRectF shadow = card.shadowPath().boundingRect();
        QCOMPARE(shadow.height(), card.view()->height() - 45.0);
        QCOMPARE(shadow.width(), qreal(card.view()->width()));
    }

    void theViewButtonTogglesTheCard_data()
    {
        QTest::addColumn<qreal>("start");
        QTest::addColumn<bool>("firstOpens");
        QTest::newRow("from 25") << 25.0 << true;
        QTest::newRow("from another value") << 40.0 << false;
    }

    void theViewButtonTogglesTheCard()
    {
        QFETCH(qreal, start);
        QFETCH(bool, firstOpens);
        ManualAnimationDriver driver;
        ResultViewController screen;
        screen.setGameResults({boardImage()});
        screen.resize(375, 667);
        screen.show();
        screen.setCardOffset(ResultViewController::Card::left, start);
        GameResultView *card = screen.leftGameResultView();
        const qreal open = card->width() + 15;

        QTest::mouseClick(card->imageView(), Qt::LeftButton);
        const qreal first = firstOpens ? open : 25;
        QCOMPARE(screen.cardOffset(ResultViewController::Card::left), first);
        driver.advanceBy(150);
        const qreal midway = screen.cardOffsetShown(ResultViewController::Card::left);
        QVERIFY(midway > qMin(start, first) && midway < qMax(start, first));
        driver.advanceBy(200);
        QCOMPARE(screen.cardOffsetShown(ResultViewController::Card::left), first);
        QCOMPARE(card->geometry().right() + 1, qRound(first));

        QTest::mouseClick(card->imageView(), Qt::LeftButton);
        driver.advanceBy(350);
        const qreal second = firstOpens ? 25 : open;
        QCOMPARE(screen.cardOffset(ResultViewController::Card::left), second);
        QCOMPARE(card->geometry().right() + 1, qRound(second));
    }

    // Without its delegate (the game screen went first) the screen still leaves.
    void playAgainAsksTheDelegateThenHidesTheCardsThenPops_data()
    {
        QTest::addColumn<bool>("delegateGone");
        QTest::newRow("delegate") << false;
        QTest::newRow("delegate gone") << true;
    }
    void playAgainAsksTheDelegateThenHidesTheCardsThenPops()
    {
        QFETCH(bool, delegateGone);
        Stack stack;
        auto *screen = new ResultViewController;
        screen->setGameResults({boardImage(), boardImage()});
        auto delegate = std::make_unique<RecordingDelegate>();
        screen->setDelegate(delegate.get());
        stack.navigation.pushViewController(screen, true);

        QStringList seen;
        delegate->onPlayAgain = [&] {
            seen << QStringLiteral("playAgain on top=%1 cards=%2")
                        .arg(stack.navigation.topViewController() == screen)
                        .arg(screen->leftGameResultView()->isVisible() && screen->rightGameResultView()->isVisible());
        };
        rx::DisposeBag bag;
        bag.insert(screen->viewWillDisappear().subscribe([&](bool animated) {
            seen << QStringLiteral("leaving animated=%1 cards=%2")
                        .arg(animated)
                        .arg(screen->leftGameResultView()->isVisible() || screen->rightGameResultView()->isVisible());
        }));

        if (delegateGone) {
            delegate.reset();
            QCOMPARE(screen->delegate(), nullptr);
        }

        QTest::mouseClick(screen->playButton(), Qt::LeftButton);
        QStringList expected{"playAgain on top=1 cards=1", "leaving animated=1 cards=0"};
        if (delegateGone)
            expected.removeFirst();
        QCOMPARE(seen, expected);
        QCOMPARE(stack.navigation.topViewController(), stack.root);
        if (!delegateGone)
            QCOMPARE(delegate->calls, 1);
    }

    void focusStartsOnPlayAndSkipsWhatIsHidden()
    {
        Stack stack;
        auto *screen = stack.push(nullptr, nullptr, {boardImage(), boardImage()});
        stack.navigation.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stack.navigation));
        QCOMPARE(QApplication::focusWidget(), screen->playButton());

        const auto tabs = [](int count) {
            QStringList order;
            for (int i = 0; i < count; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                order.append(QApplication::focusWidget()->objectName());
            }
            return order;
        };
        // The peeking cards' share buttons lie off screen: no focus.
        QCOMPARE(tabs(4), (QStringList{"menuButton", "leftBoardButton", "rightBoardButton", "playButton"}));

        // Slid in, a card's share button is on screen and in the chain.
        GameResultView *left = screen->leftGameResultView();
        screen->setCardOffset(ResultViewController::Card::left, left->width() + 15);
        QCOMPARE(tabs(4), (QStringList{"menuButton", "leftBoardButton", "leftShareButton", "rightBoardButton"}));
        // Slid out again, it hands its focus back to the card.
        left->shareButton()->setFocus(Qt::TabFocusReason);
        screen->setCardOffset(ResultViewController::Card::left, 25);
        QCOMPARE(QApplication::focusWidget(), left->imageView());
        QCOMPARE(left->shareButton()->focusPolicy(), Qt::NoFocus);
    }

    void theMenuIsOneKeyAway_data()
    {
        QTest::addColumn<int>("key"); // 0: the menu button
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("Alt+Left") << int(Qt::Key_Left) << int(Qt::AltModifier);
        QTest::newRow("the menu button") << 0 << 0;
    }
    void theMenuIsOneKeyAway()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Stack stack;
        stack.navigation.pushViewController(new ViewController, false); // the game screen
        auto *screen = new ResultViewController;
        screen->setGameResults({boardImage()});
        RecordingDelegate delegate;
        screen->setDelegate(&delegate);
        stack.navigation.pushViewController(screen, false);
        stack.navigation.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stack.navigation));
        QCOMPARE(screen->menuButton()->accessibleName(), "Menu");
        if (key == 0)
            QTest::mouseClick(screen->menuButton(), Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(stack.navigation.viewControllers(), (QList<ViewController *>{stack.root}));
        QCOMPARE(delegate.calls, 0);
    }

    void everyAppearanceHidesTheBarAndAsksForPortrait()
    {
        Stack stack;
        auto *screen = new ResultViewController;
        screen->setGameManager(singleWin(7, 45, 812));
        QSignalSpy announced(screen, &ResultViewController::resultAnnounced);

        for (int appearance = 0; appearance < 2; ++appearance) {
            stack.navigation.setNavigationBarHidden(false, false);
            DeviceProfile landscape = DeviceProfile::phone();
            landscape.setOrientation(DeviceProfile::Orientation::landscapeLeft);
            DeviceProfile::setCurrent(landscape);
            announced.clear();
            if (appearance == 0) {
                stack.navigation.pushViewController(screen, false);
            } else {
                // Back from a screen above it.
                stack.navigation.pushViewController(new ViewController, false);
                stack.navigation.popViewController(false);
            }
            QVERIFY(stack.navigation.isNavigationBarHidden());
            QCOMPARE(DeviceProfile::current().orientation(), DeviceProfile::Orientation::portrait);
            QCOMPARE(stack.navigation.window()->size(), QSize(375, 667));
            // Without the bar the screen takes the whole window.
            QTRY_COMPARE(screen->size(), QSize(375, 667));
            // The outcome is announced each time.
            QCOMPARE(announced.size(), 1);
            QCOMPARE(announced.front().front().toString(), "You have won!");
        }
        QCOMPARE(screen->playButton()->accessibleName(), "Play again");
    }

    void theShareTextCarriesTheMatchAndTheHomePage()
    {
        ResultViewController screen;
        const auto match = singleWin(3, 83, 700);
        screen.setGameManager(match);
        QVERIFY(!AppInfo::homePageUrl().isEmpty());
        QCOMPARE(screen.shareText(), ShareText::forMatch(*match, AppInfo::homePageUrl()));
    }

    void theShareButtonOpensTheSheetWithTheCardsImage()
    {
        Stack stack;
        const QList<QImage> boards{boardImage(QSize(100, 150)), boardImage(QSize(110, 150))};
        auto *screen = stack.push(nullptr, nullptr, boards);
        QStringList copied;
        ShareDialog::Services services;
        services.copyText = [&](const QString &text) { copied << text; };
        screen->setShareServices(services);

        // The cards peek in at the window's edges; the sheet is drawn inside
        // the window (or centred on it when it is the wider).
        const auto insideWindow = [&stack](const QWidget *sheet) {
            const QRect window(stack.navigation.window()->mapToGlobal(QPoint(0, 0)), stack.navigation.window()->size());
            const QRect frame(sheet->mapToGlobal(QPoint(0, 0)), sheet->size());
            constexpr int frames = 6;
            if (frame.width() >= window.width())
                return std::abs(frame.center().x() - window.center().x()) <= frames;
            return frame.left() >= window.left() - frames && frame.right() <= window.right() + frames;
        };
        QTest::mouseClick(screen->leftGameResultView()->shareButton(), Qt::LeftButton);
        auto *first = stack.navigation.window()->findChild<ShareDialog *>();
        QVERIFY(first);
        QVERIFY(insideWindow(first));
        first->reject();
        delete first;

        QTest::mouseClick(screen->rightGameResultView()->shareButton(), Qt::LeftButton);
        auto *dialog = stack.navigation.window()->findChild<ShareDialog *>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(insideWindow(dialog));
        QCOMPARE(test::unnamedElements(dialog).join("; "), QString());
        QCOMPARE(dialog->image(), boards[1]);
        QCOMPARE(dialog->text(), ShareText::invitation(AppInfo::homePageUrl()));
        dialog->copyTextButton()->click();
        QCOMPARE(copied, QStringList{dialog->text()});

        // Off the stack there is nothing to show the sheet over.
        ResultViewController alone;
        QCOMPARE(alone.share(boards[0], nullptr), nullptr);
    }

    void theSheetSavesCopiesAndTakesReturn()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QString fileName;
        QStringList errors;
        QList<QImage> copiedImages;
        ShareDialog::Services services;
        services.saveFileName = [&](QWidget *, const QString &) { return fileName; };
        services.showError = [&](QWidget *, const QString &message) { errors << message; };
        services.copyImage = [&](const QImage &image) { copiedImages << image; };
        const QImage image = boardImage(QSize(100, 150));

        {
            ShareDialog dialog(image, QStringLiteral("text"), nullptr, services);
            dialog.show();
            fileName = folder.filePath(QStringLiteral("board")); // the suffix is added
            dialog.saveButton()->click();
            QVERIFY(errors.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            const QImage saved(folder.filePath(QStringLiteral("board.png")));
            QCOMPARE(saved.size(), image.size());
        }
        {
            ShareDialog dialog(image, QStringLiteral("text"), nullptr, services);
            dialog.show();
            fileName = folder.filePath(QStringLiteral("missing/folder/board.png"));
            dialog.saveButton()->click();
            QCOMPARE(errors.size(), 1);
            QVERIFY(errors.front().contains(QDir::toNativeSeparators(fileName)));
            QVERIFY(dialog.isVisible()); // still there to try again
            QVERIFY(!QFile::exists(fileName));

            QTest::keyClick(&dialog, Qt::Key_Return);
            QCOMPARE(copiedImages, QList<QImage>{image});
            QVERIFY(!dialog.isVisible());
        }
    }

    // A snapshot is a fresh board at twice the device pixels. Drawn in
    // bands, a step at a time, it is the same picture to the pixel,
    // including sizes that do not split evenly.
    void aSnapshotDrawnInStepsIsTheWholeSnapshot_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("bands");
        QTest::newRow("phone card, four bands") << QSize(240, 340) << 4;
        QTest::newRow("tablet card, three bands") << QSize(301, 421) << 3;
        QTest::newRow("bands of unequal height") << QSize(240, 341) << 7;
    }

    void aSnapshotDrawnInStepsIsTheWholeSnapshot()
    {
        QFETCH(QSize, size);
        QFETCH(int, bands);
        FakeClock clock;
        const auto match = playedMatch({"1234"}, {{"5678", "1243", "1234"}}, clock, 1);
        const auto game = match->games().front();

        const QImage whole = BoardSnapshot::render(game, size);
        QCOMPARE(whole.size(), size * 2);
        QCOMPARE(whole.devicePixelRatio(), 2.0);
        const QRgb background = whole.pixel(0, 0);
        bool drawn = false;
        for (int y = 0; y < whole.height() && !drawn; y += 3) {
            for (int x = 0; x < whole.width() && !drawn; x += 3)
                drawn = whole.pixel(x, y) != background;
        }
        QVERIFY(drawn);
        QVERIFY(BoardSnapshot::render(nullptr, size).isNull());

        BoardSnapshotJob job(game, size, bands);
        int steps = 0;
        while (job.step())
            ++steps;
        QCOMPARE(steps, 6 + bands);
        QVERIFY(job.isDone());
        QVERIFY(!job.step());
        QCOMPARE(job.image(), whole);

        // Asked early, it finishes at once.
        BoardSnapshotJob early(game, size, bands);
        QVERIFY(early.step());
        QCOMPARE(early.image(), whole);
        QVERIFY(BoardSnapshotJob(nullptr, size, bands).image().isNull());
    }
};

QTEST_MAIN(TestResultScreen)
#include "tst_resultscreen.moc"
