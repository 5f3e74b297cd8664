#include "accessibilityrecorder.h"
#include "memorystore.h"
#include "recordinganalytics.h"

#include "app/playwindow.h"
#include "game/gameprotocol.h"
#include "game/statisticshelper.h"
#include "views/board/gameview.h"
#include "views/components/ripplebutton.h"
#include "views/keyboard/keyboardview.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace kestrune;
using namespace kestrune::test;

class TestPlayWindow : public QObject
{
    Q_OBJECT

    static void type(KeyboardView *keypad, const QString &shot)
    {
        for (QChar digit : shot)
            QTest::keyClick(keypad, Qt::Key(Qt::Key_0 + digit.digitValue()));
        QTest::keyClick(keypad, Qt::Key_Return);
    }

private slots:
    void aWholeGameThroughTheKeypadKeepsTheBooks()
    {
        MemoryStore store;
        RecordingAnalytics analytics;
        GameEnvironment environment;
        environment.store = &store;
        environment.analytics = &analytics;
        environment.drawCode = [] { return std::string("1234"); };
        PlayWindow window(environment, nullptr);
        auto *keypad = window.findChild<GameView *>()->keyboardView();
        auto *newGame = window.findChild<QPushButton *>("newGameButton");

        type(keypad, "5678");
        QCOMPARE(window.match().currentGame()->shots().size(), std::size_t(1));
        QCOMPARE(window.statusText(), "Shot 2 of 10");
        type(keypad, "1234");
        QVERIFY(window.match().currentGame()->isWon());
        QVERIFY(window.statusText().startsWith("Broken in 2 shots: "));
        QVERIFY(!keypad->shotButton()->isEnabled());
        QVERIFY(std::none_of(keypad->numericButtons().begin(), keypad->numericButtons().end(),
                             [](auto *b) { return b->isEnabled(); }));
        QCOMPARE(StatisticsHelper::integerValue(store, "wins"), 1);
        QCOMPARE(analytics.names(), (std::vector<std::string>{"start_game", "won_game"}));

        // A new game starts clean, and the old one no longer reaches the window.
        const std::shared_ptr<GameProtocol> old = window.match().currentGame();
        newGame->click();
        QVERIFY(window.match().currentGame() != old);
        QVERIFY(window.match().currentGame()->shots().empty());
        QVERIFY(keypad->numericButtons().front()->isEnabled());
        type(keypad, "1243");
        QCOMPARE(window.match().currentGame()->shots().size(), std::size_t(1));
        QCOMPARE(old->shots().size(), std::size_t(2));
    }

    void labelsReadAsShownAndTheOutcomeIsAnnounced()
    {
        test::AccessibilityRecorder recorder;
        QVERIFY(recorder.isActive());
        MemoryStore store;
        RecordingAnalytics analytics;
        GameEnvironment environment;
        environment.store = &store;
        environment.analytics = &analytics;
        environment.drawCode = [] { return std::string("1234"); };
        PlayWindow window(environment, nullptr);
        auto *keypad = window.findChild<GameView *>()->keyboardView();
        auto *status = window.findChild<QLabel *>("statusLabel");
        const auto name = [](QObject *o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };

        keypad->setButtonsEnabled(true);
        QCOMPARE(test::unnamedControls(&window), QStringList());
        auto *quotation = window.findChild<QLabel *>("quotationLabel");
        QVERIFY(!quotation->text().isEmpty());
        QCOMPARE(name(quotation), quotation->text());

        type(keypad, "5678");
        QCOMPARE(name(status), "Shot 2 of 10");
        QVERIFY(recorder.names(status, QAccessible::Alert).isEmpty()); // a running game is no news
        type(keypad, "1234");
        QCOMPARE(name(status), window.statusText());
        QCOMPARE(recorder.names(status, QAccessible::Alert), QStringList{window.statusText()});
    }
};

QTEST_MAIN(TestPlayWindow)
#include "tst_playwindow.moc"
