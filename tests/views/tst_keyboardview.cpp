#include "accessibilityrecorder.h"
#include "game/game.h"
#include "views/keyboard/hardwarekey.h"
#include "views/keyboard/keyboardview.h"
#include "views/keyboard/keyboardviewdelegate.h"
#include "views/widgets/ripplebutton.h"

#include <QFrame>
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

} // namespace

class KeyboardViewTest : public QObject
{
    Q_OBJECT

private:
    KeyboardView *keypad = nullptr;
    RecordingBoard board;

    void verifyButtons(const QString &digits, bool shot, bool backspace)
    {
        QString enabled;
        for (auto *button : keypad->numericButtons())
            if (button->isEnabled())
                enabled += button->text();
        QCOMPARE(enabled, digits);
        QCOMPARE(keypad->shotButton()->isEnabled(), shot);
        QCOMPARE(keypad->backspaceButton()->isEnabled(), backspace);
    }
    QString shots() const
    {
        QStringList codes;
        for (const Shot &shot : board.m_game->shots())
            codes.append(QString::fromStdString(shot.code));
        return codes.join(',');
    }

private slots:
    void init()
    {
        keypad = new KeyboardView;
        keypad->resize(375, 216);
        keypad->show();
        GameEnvironment environment;
        environment.drawCode = [] { return std::string("1234"); };
        board.m_game = std::make_shared<Game>(environment);
        board.texts.clear();
        keypad->setDelegate(&board);
        keypad->activateWindow(); // the focus tests need an active window
        QVERIFY(QTest::qWaitForWindowActive(keypad));
    }
    void cleanup() { delete keypad; }

    // Every key reads as a short name; the ring round a focused keypad is
    // drawn by a frame over the keys, which a reader passes over, as the
    // keypad itself says it has the focus.
    void everyKeyReadsAsAShortNameAndTheFocusRingAsNothing()
    {
        keypad->setButtonsEnabled(true);
        QCOMPARE(test::unnamedControls(keypad), QStringList());
        const auto name = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(name(keypad->backspaceButton()), "Delete last digit");
        QCOMPARE(name(keypad->shotButton()), "Shoot");
        QStringList digits;
        for (auto *button : keypad->numericButtons())
            digits.append(name(button));
        QCOMPARE(digits, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));

        keypad->setAttribute(Qt::WA_KeyboardFocusChange);
        keypad->setFocus(Qt::TabFocusReason);
        auto *ring = keypad->findChild<QFrame *>(QStringLiteral("focusFrame"));
        QVERIFY(ring);
        QVERIFY(ring->isVisible());
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(ring);
        QVERIFY(iface);
        QVERIFY(iface->state().invisible);
        QVERIFY(!iface->state().focusable);
        QCOMPARE(test::unnamedElements(keypad).join("; "), QString());
    }

    void tabWalksTheKeysInReadingOrderAndAFocusedKeyTakesReturnAndSpace()
    {
        keypad->setCode(QStringLiteral("12"));
        keypad->setButtonsEnabled(true);
        keypad->setFocus(Qt::TabFocusReason);
        QStringList order;
        for (int i = 0; i < 11; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(order, QStringList({"button1", "button2", "button3", "button4", "button5", "button6", "button7",
                                     "button8", "button9", "backspaceButton", "shotButton"}));

        keypad->updateButtons(true);
        keypad->numericButtons()[2]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(keypad->code(), "123");
        // The used key gave its focus to the next one.
        QCOMPARE(QApplication::focusWidget(), keypad->numericButtons()[3]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(keypad->code(), "1234");
        QCOMPARE(board.texts.last(), "1234");
    }

    // The focus a Tab or Space left on a key must not turn Return into a tap
    // on whatever key it landed on once the digits went dark.
    void returnWithAFullRowShootsWhereverTheFocusIs_data()
    {
        QTest::addColumn<QString>("focus"); // object name, or "keypad"
        QTest::newRow("backspace") << "backspaceButton";
        QTest::newRow("shot") << "shotButton";
        QTest::newRow("the keypad itself") << "keypad";
    }
    void returnWithAFullRowShootsWhereverTheFocusIs()
    {
        QFETCH(QString, focus);
        keypad->setCode(QStringLiteral("5678"));
        QWidget *target = focus == "keypad" ? keypad : keypad->findChild<QWidget *>(focus);
        QVERIFY(target);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shots(), "5678");
        QCOMPARE(keypad->code(), "");
    }

    void noKeyKeepsTheFocusOnceItGoesDark()
    {
        // Typed with Space on the focused keys, as a keyboard player would.
        keypad->setCode(QStringLiteral("123"));
        keypad->numericButtons().at(3)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(keypad->code(), "1234");
        // The row is full: the shot has the focus, not backspace.
        QCOMPARE(QApplication::focusWidget(), keypad->shotButton());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shots(), "1234");
        // The shot key went dark with the empty row: on to the next key on.
        QCOMPARE(QApplication::focusWidget(), keypad->numericButtons().at(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
        QCOMPARE(keypad->code(), "5");

        // Switched off as a whole (the turn passed): the keypad holds the focus.
        keypad->numericButtons().at(0)->setFocus(Qt::TabFocusReason);
        keypad->setButtonsEnabled(false);
        QCOMPARE(QApplication::focusWidget(), keypad);
        // A key that stays on keeps it.
        keypad->setButtonsEnabled(true);
        keypad->numericButtons().at(0)->setFocus(Qt::TabFocusReason);
        keypad->setCode(QStringLiteral("56"));
        QCOMPARE(QApplication::focusWidget(), keypad->numericButtons().at(0));
    }

    void buttonsFollowTheCode_data()
    {
        // Taps: a digit, "<" backspace, "=" shot; a leading "-" removes the board first.
        QTest::addColumn<QString>("taps");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("shown");  // the board's last text
        QTest::addColumn<QString>("digits"); // the digits still on
        QTest::addColumn<bool>("shot");
        QTest::addColumn<bool>("backspace");
        QTest::addColumn<QString>("shots"); // the game's shots
        const QString all = QStringLiteral("123456789");
        const QString typed = QStringLiteral("37\u2022\u2022");
        const auto row = [](const char *name, const QString &taps, const QString &code, const QString &shown,
                            const QString &digits, bool shot, bool backspace, const QString &shots) {
            QTest::newRow(name) << taps << code << shown << digits << shot << backspace << shots;
        };
        row("fresh", "", "", "", all, false, false, "");
        row("typed digits go off", "37", "37", typed, "1245689", false, true, "");
        row("a typed digit's button does nothing", "373", "37", typed, "1245689", false, true, "");
        row("four digits allow the shot, no fifth", "37419", "3741", "3741", "", true, true, "");
        row("a tap on backspace drops one digit", "374<", "37", typed, "1245689", false, true, "");
        row("backspace to nothing", "3<", "", "\u2022\u2022\u2022\u2022", all, false, false, "");
        row("the shot empties the code, the row keeps it", "1243=", "", "1243", all, false, false, "1243");
        row("without a board", "-1234=", "", "", all, false, false, "");
    }

    void buttonsFollowTheCode()
    {
        QFETCH(QString, taps);
        keypad->setLongPressDuration(60000); // every tap is short
        for (QChar c : taps) {
            if (c == '-')
                keypad->setDelegate(nullptr);
            else
                QTest::mouseClick(c == '<'   ? keypad->backspaceButton()
                                  : c == '=' ? keypad->shotButton()
                                             : keypad->numericButtons()[c.digitValue() - 1],
                                  Qt::LeftButton);
        }
        QTEST(keypad->code(), "code");
        QTEST(board.texts.value(board.texts.size() - 1), "shown");
        QFETCH(QString, digits);
        QFETCH(bool, shot);
        QFETCH(bool, backspace);
        verifyButtons(digits, shot, backspace);
        QTEST(shots(), "shots");
    }

    void longPressOnBackspaceClearsTheCode()
    {
        keypad->setLongPressDuration(50);
        for (int d : {3, 7, 4})
            QTest::mouseClick(keypad->numericButtons()[d - 1], Qt::LeftButton);
        const int shown = board.texts.size();
        QTest::mousePress(keypad->backspaceButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(keypad->code(), QString(), 5000);
        QTest::mouseRelease(keypad->backspaceButton(), Qt::LeftButton);
        // One clear, and the release does not count as a tap as well.
        QCOMPARE(board.texts.mid(shown), QStringList{QStringLiteral("\u2022\u2022\u2022\u2022")});
        verifyButtons(QStringLiteral("123456789"), false, false);
    }

    void hardwareKeysObeyTheButtons()
    {
        QTest::keyClick(keypad, Qt::Key_5);
        QTest::keyClick(keypad, Qt::Key_5); // its button is off now
        QTest::keyClick(keypad, Qt::Key_3, Qt::KeypadModifier);
        QTest::keyClick(keypad, Qt::Key_0); // there is no 0 button
        QTest::keyClick(keypad, Qt::Key_0, Qt::KeypadModifier);
        QTest::keyClick(keypad, Qt::Key_7);
        QTest::keyClick(keypad, Qt::Key_Return); // three digits: shot is off
        QCOMPARE(keypad->code(), QStringLiteral("537"));
        QTest::keyClick(keypad, Qt::Key_Delete, Qt::KeypadModifier);
        QCOMPARE(keypad->code(), QStringLiteral("53"));
        QTest::keyClick(keypad, Qt::Key_2);
        QTest::keyClick(keypad, Qt::Key_9);
        QTest::keyClick(keypad, Qt::Key_Space);
        QCOMPARE(keypad->code(), QString());
        QCOMPARE(shots(), QStringLiteral("5329"));
        QTest::keyClick(keypad, Qt::Key_Backspace); // nothing to delete
        QCOMPARE(board.texts.last(), QStringLiteral("5329"));

        // A switched-off keypad (an ended game) takes no keys at all.
        QTest::keyClick(keypad, Qt::Key_1);
        keypad->setButtonsEnabled(false);
        verifyButtons(QString(), false, false);
        QTest::keyClick(keypad, Qt::Key_2);
        QTest::keyClick(keypad, Qt::Key_Backspace);
        QCOMPARE(keypad->code(), QStringLiteral("1"));
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
        const QKeyEvent event(QEvent::KeyPress, key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QTEST(HardwareKey::usageCode(event), "usage");
    }
};

QTEST_MAIN(KeyboardViewTest)
#include "tst_keyboardview.moc"
