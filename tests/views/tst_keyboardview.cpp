#include "game/game.h"
#include "views/components/ripplebutton.h"
#include "views/keyboard/hardwarekey.h"
#include "views/keyboard/keyboardview.h"
#include "views/keyboard/keyboardviewdelegate.h"

#include <QKeyEvent>
#include <QtTest>

using namespace kestrune;

namespace {

class RecordingBoard final : public KeyboardViewDelegate
{
public:
    std::shared_ptr<GameProtocol> game() const override { return m_game; }
    void codeDidChange(const QString &text) override { texts.append(text); }

    std::shared_ptr<Game> m_game;
    QStringList texts;
};

std::shared_ptr<Game> gameWithCode(std::string code)
{
    GameEnvironment environment;
    environment.drawCode = [code] { return code; };
    return std::make_shared<Game>(environment);
}

const QString bullets2 = QStringLiteral("\u2022\u2022");

} // namespace

class KeyboardViewTest : public QObject
{
    Q_OBJECT

private:
    KeyboardView *keypad = nullptr;
    RecordingBoard board;

    QAbstractButton *digit(int d) { return keypad->numericButtons()[d - 1]; }
    void tap(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    QString enabledDigits()
    {
        QString digits;
        for (auto *button : keypad->numericButtons())
            if (button->isEnabled())
                digits += button->text();
        return digits;
    }

private slots:
    void init()
    {
        keypad = new KeyboardView;
        keypad->resize(375, 216);
        keypad->show();
        board.m_game = gameWithCode("1234");
        board.texts.clear();
        keypad->setDelegate(&board);
    }
    void cleanup() { delete keypad; }

    void startsWithDigitsOnlyAndEmptyCode()
    {
        QCOMPARE(keypad->code(), QString());
        QCOMPARE(enabledDigits(), QStringLiteral("123456789"));
        QVERIFY(!keypad->shotButton()->isEnabled());
        QVERIFY(!keypad->backspaceButton()->isEnabled());
    }

    void typingShowsPaddedCodeAndDisablesTypedDigits()
    {
        tap(digit(3));
        tap(digit(7));
        QCOMPARE(board.texts.last(), QStringLiteral("37") + bullets2);
        QCOMPARE(enabledDigits(), QStringLiteral("1245689"));
        QVERIFY(keypad->backspaceButton()->isEnabled());
        QVERIFY(!keypad->shotButton()->isEnabled());

        tap(digit(3)); // disabled: nothing happens
        QCOMPARE(keypad->code(), QStringLiteral("37"));
    }

    void fourthDigitDisablesAllDigitsAndEnablesShot()
    {
        for (int d : {3, 7, 4, 1})
            tap(digit(d));
        QCOMPARE(keypad->code(), QStringLiteral("3741"));
        QCOMPARE(board.texts.last(), QStringLiteral("3741"));
        QCOMPARE(enabledDigits(), QString());
        QVERIFY(keypad->shotButton()->isEnabled());
        // The action itself refuses a fifth digit too.
        keypad->numericButtonAction(digit(9));
        QCOMPARE(keypad->code(), QStringLiteral("3741"));
    }

    void backspaceRemovesLastDigitAndReEnablesIt()
    {
        for (int d : {3, 7, 4})
            tap(digit(d));
        tap(keypad->backspaceButton());
        QCOMPARE(keypad->code(), QStringLiteral("37"));
        QCOMPARE(board.texts.last(), QStringLiteral("37") + bullets2);
        QVERIFY(digit(4)->isEnabled());
        QVERIFY(!digit(3)->isEnabled());
    }

    void longPressOnBackspaceClearsTheCode()
    {
        keypad->setLongPressDuration(50);
        for (int d : {3, 7, 4})
            tap(digit(d));
        const int shown = board.texts.size();
        QTest::mousePress(keypad->backspaceButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(keypad->code(), QString(), 5000);
        QTest::mouseRelease(keypad->backspaceButton(), Qt::LeftButton);
        QCOMPARE(board.texts.size(), shown + 1);
        QCOMPARE(board.texts.last(), QStringLiteral("\u2022\u2022\u2022\u2022"));
        QCOMPARE(enabledDigits(), QStringLiteral("123456789"));
        QVERIFY(!keypad->backspaceButton()->isEnabled());
        QVERIFY(!keypad->shotButton()->isEnabled());
    }

    void shortPressOnBackspaceDoesNotClear()
    {
        keypad->setLongPressDuration(60000);
        for (int d : {3, 7})
            tap(digit(d));
        tap(keypad->backspaceButton());
        QCOMPARE(keypad->code(), QStringLiteral("3"));
    }

    void shotEmptiesCodeKeepsRowAndScoresOnce()
    {
        for (int d : {1, 2, 4, 3})
            tap(digit(d));
        const int shown = board.texts.size();
        tap(keypad->shotButton());
        QCOMPARE(keypad->code(), QString());
        QCOMPARE(board.texts.size(), shown); // the row keeps the four digits
        QCOMPARE(board.m_game->shots().size(), std::size_t(1));
        QCOMPARE(board.m_game->shots()[0].code, std::string("1243"));
        QCOMPARE(board.m_game->shots()[0].result, (Result{2, 2}));
        QCOMPARE(enabledDigits(), QStringLiteral("123456789"));
        QVERIFY(!keypad->shotButton()->isEnabled());
        QVERIFY(!keypad->backspaceButton()->isEnabled());
    }

    void withoutDelegateKeepsOwnStateAndShootsNothing()
    {
        keypad->setDelegate(nullptr);
        for (int d : {1, 2, 3, 4})
            tap(digit(d));
        tap(keypad->shotButton());
        QCOMPARE(keypad->code(), QString());
        QVERIFY(board.texts.isEmpty());
        QVERIFY(board.m_game->shots().empty());
    }

    void setButtonsEnabledSwitchesEveryButton()
    {
        tap(digit(1));
        keypad->setButtonsEnabled(false);
        QCOMPARE(enabledDigits(), QString());
        QVERIFY(!keypad->backspaceButton()->isEnabled());
        keypad->handleKey(HardwareKey::digit1 + 1);
        QCOMPARE(keypad->code(), QStringLiteral("1"));
    }

    void hardwareKeysFollowTheButtons()
    {
        keypad->handleKey(HardwareKey::digit1 + 4); // 5
        keypad->handleKey(HardwareKey::digit1 + 4); // 5 again: its button is off
        QCOMPARE(keypad->code(), QStringLiteral("5"));
        keypad->handleKey(HardwareKey::keypad1 + 2); // keypad 3
        keypad->handleKey(HardwareKey::digit0);
        keypad->handleKey(HardwareKey::keypad0);
        keypad->handleKey(HardwareKey::digit1 + 6); // 7
        QCOMPARE(keypad->code(), QStringLiteral("537"));
        keypad->handleKey(HardwareKey::returnKey); // three digits: no shot
        QCOMPARE(keypad->code(), QStringLiteral("537"));
        keypad->handleKey(HardwareKey::keypadDelete);
        QCOMPARE(keypad->code(), QStringLiteral("53"));
        keypad->handleKey(HardwareKey::digit1 + 1);
        keypad->handleKey(HardwareKey::digit1 + 8);
        keypad->handleKey(HardwareKey::space);
        QCOMPARE(keypad->code(), QString());
        QCOMPARE(board.m_game->shots().size(), std::size_t(1));
        QCOMPARE(board.m_game->shots()[0].code, std::string("5329"));
        keypad->handleKey(HardwareKey::deleteKey); // empty code: backspace is off
        QCOMPARE(keypad->code(), QString());
    }

    void qtKeysMapToUsageCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<int>("usage");
        QTest::newRow("main row 1") << int(Qt::Key_1) << false << 0x1E;
        QTest::newRow("main row 9") << int(Qt::Key_9) << false << 0x26;
        QTest::newRow("main row 0") << int(Qt::Key_0) << false << 0x27;
        QTest::newRow("keypad 1") << int(Qt::Key_1) << true << 0x59;
        QTest::newRow("keypad 9") << int(Qt::Key_9) << true << 0x61;
        QTest::newRow("keypad 0") << int(Qt::Key_0) << true << 0x62;
        QTest::newRow("return") << int(Qt::Key_Return) << false << 0x28;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << true << 0x58;
        QTest::newRow("space") << int(Qt::Key_Space) << false << 0x2C;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << false << 0x2A;
        QTest::newRow("keypad delete") << int(Qt::Key_Delete) << true << 0x63;
        QTest::newRow("keypad period") << int(Qt::Key_Period) << true << 0x63;
        QTest::newRow("letter") << int(Qt::Key_A) << false << 0;
    }

    void qtKeysMapToUsageCodes()
    {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(int, usage);
        const QKeyEvent event(QEvent::KeyPress, key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(HardwareKey::usageCode(event), usage);
    }

    void keyEventsReachTheKeypad()
    {
        QTest::keyClick(keypad, Qt::Key_4);
        QTest::keyClick(keypad, Qt::Key_2, Qt::KeypadModifier);
        QCOMPARE(keypad->code(), QStringLiteral("42"));
        QTest::keyClick(keypad, Qt::Key_Backspace);
        QCOMPARE(keypad->code(), QStringLiteral("4"));
    }
};

QTEST_MAIN(KeyboardViewTest)
#include "tst_keyboardview.moc"
