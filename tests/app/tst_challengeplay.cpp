#include "app/appdelegate.h"
#include "game/gamemanaging.h"
#include "gameservice/client/gameservicemanager.h"
#include "platform/apppaths.h"
#include "programenvironment.h"
#include "screens/game/gameviewcontroller.h"
#include "screens/result/resultviewcontroller.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/widgets/ripplebutton.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace kestrune;

namespace {

// The child: the program's own parts on a data folder. "Play it" on Bob's
// challenge must start a single-player match; the child wins it and prints
// what the result screen says about the challenge.
int playChallenge(const QString &dataFolder, std::int64_t toBeat)
{
    AppPaths::setDataFolder(dataFolder);
    if (AppPaths::ensureDataFolder().isEmpty())
        return 3;
    CommandLine options;
    options.dataFolder = dataFolder;
    options.uiTest = true; // no sign-in dialog over the menu
    options.service = QStringLiteral("local");
    AppDelegate delegate(options);
    delegate.window().show();
    delegate.openMenu();
    QCoreApplication::processEvents();
    delegate.gameService().challengeInPlay().play(
        ChallengeInPlay{QStringLiteral("Bob"), QStringLiteral("sp_leaderboard"), toBeat});
    QCoreApplication::processEvents();
    auto *game = qobject_cast<GameViewController *>(delegate.window().topViewController());
    if (!game || game->gameViews().size() != 1 || !game->gameManager() || game->gameManager()->isAgainstComputer())
        return 4;
    KeyboardView *keypad = game->gameViews().first()->keyboardView();
    const std::string code = game->gameManager()->codes().front();
    for (char digit : code)
        keypad->numericButtons().at(digit - '1')->click();
    keypad->shotButton()->click();
    ResultViewController *result = nullptr;
    if (!QTest::qWaitFor(
            [&] { return (result = qobject_cast<ResultViewController *>(delegate.window().topViewController())); },
            60000))
        return 5;
    if (!QTest::qWaitFor([&] { return result->challengeLabel()->isVisible(); }, 60000))
        return 6;
    std::puts(qPrintable(result->challengeLabel()->text()));
    std::fflush(stdout);
    // Over with that match: nothing is left in play.
    return delegate.gameService().challengeInPlay().peek() ? 7 : 0;
}

} // namespace

class TestChallengePlay : public QObject
{
    Q_OBJECT

private slots:
    void playItStartsAMatchWhoseResultSaysIfTheChallengeWasBeaten_data()
    {
        QTest::addColumn<int>("toBeat");
        QTest::addColumn<QString>("says"); // a pattern
        QTest::newRow("beaten") << 0 << R"(You beat Bob's 0\.)";
        // Its digits are grouped as the locale has them.
        QTest::newRow("not beaten") << 1000000 << R"(Bob's 1\D?000\D?000 still stands\.)";
    }
    void playItStartsAMatchWhoseResultSaysIfTheChallengeWasBeaten()
    {
        QFETCH(int, toBeat);
        QFETCH(QString, says);
        QTemporaryDir home;
        QTemporaryDir data;
        QVERIFY(home.isValid() && data.isValid());
        QProcessEnvironment environment = test::programEnvironment(home);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--play-challenge", data.path(), QString::number(toBeat)});
        QVERIFY(child.waitForStarted(60000));
        QVERIFY(child.waitForFinished(120000));
        const QByteArray errors = child.readAllStandardError();
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QVERIFY2(child.exitCode() == 0, qPrintable(QString("exit %1: %2").arg(child.exitCode()).arg(errors)));
        const QString said = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(says)).match(said).hasMatch(),
                 qPrintable(said));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--play-challenge")
        return playChallenge(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    TestChallengePlay test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_challengeplay.moc"
