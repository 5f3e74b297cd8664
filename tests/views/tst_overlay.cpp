#include "platform/resources/resources.h"
#include "views/onboarding/onboarding.h"
#include "views/onboarding/tutorial.h"
#include "views/widgets/modaloverlay.h"
#include "views/widgets/moderndialogbutton.h"
#include "views/widgets/overlaystack.h"
#include "views/widgets/promptdialog.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using namespace kestrune;

namespace {

// A window with a text field and a button behind whatever covers it.
struct Window
{
    Window()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        window.resize(375, 603);
        window.show();
        QApplication::setActiveWindow(&window);
        field->setFocus();
    }

    // A prompt with Cancel and OK; Escape presses Cancel when `cancellable`.
    PromptDialog *prompt(const QString &name, bool cancellable = true)
    {
        auto *dialog = new PromptDialog(name, QString());
        dialog->setObjectName(name);
        auto *cancel =
            new ModernDialogButton(QStringLiteral("Cancel"), 45, true, [this, name] { answers << name + ":Cancel"; });
        auto *ok = new ModernDialogButton(QStringLiteral("OK"), 45, true, [this, name] { answers << name + ":OK"; });
        dialog->addButtons({cancel, ok});
        if (cancellable)
            dialog->setCancelButton(cancel);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        return dialog;
    }

    QWidget window;
    QLineEdit *field = new QLineEdit;
    QPushButton *button = new QPushButton(QStringLiteral("Behind"));
    int clicks = 0;
    QStringList answers;
};

} // namespace

class TestOverlay : public QObject
{
    Q_OBJECT

private slots:
    void aDialogIsDrawnInsideItsWindowOverADimmedCover()
    {
        Window w;
        QPointer<PromptDialog> dialog = w.prompt(QStringLiteral("First"));
        ModalOverlay *overlay = ModalOverlay::present(dialog, w.field);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isWindow());
        QVERIFY(!overlay->isWindow());
        QCOMPARE(overlay->parentWidget(), &w.window);
        QCOMPARE(overlay->geometry(), w.window.rect());
        QCOMPARE(overlay->cardRect().center(), w.window.rect().center());
        QCOMPARE(OverlayStack::instance().top(&w.window), overlay);
        // No window of the program is see-through: the picture needs no compositor.
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY(!top->isVisible() || !top->testAttribute(Qt::WA_TranslucentBackground));
        // It follows the window's size.
        w.window.resize(500, 700);
        QCOMPARE(overlay->geometry(), w.window.rect());
        QCOMPARE(overlay->cardRect().center(), w.window.rect().center());
        // The dim shows around the card.
        const QImage picture = w.window.grab().toImage();
        const QColor dimmed = picture.pixelColor(4, 4);
        const QColor bare = w.window.palette().color(QPalette::Window);
        QVERIFY(dimmed.lightness() < bare.lightness());
    }

    void nothingBehindAnOverlayTakesKeysOrClicks()
    {
        Window w;
        QPointer<PromptDialog> dialog = w.prompt(QStringLiteral("First"));
        ModalOverlay::present(dialog, &w.window);
        // Typed at the field behind: not one key reaches it.
        QTest::keyClicks(w.field, QStringLiteral("56"));
        QCOMPARE(w.field->text(), QString());
        QTest::mouseClick(w.button, Qt::LeftButton);
        QCOMPARE(w.clicks, 0);
        // The keys went to the dialog instead: Escape, sent behind it, cancels it.
        QTest::keyClick(w.field, Qt::Key_Escape);
        QCOMPARE(w.answers, QStringList{"First:Cancel"});
        QTRY_VERIFY(!dialog);
        QTRY_VERIFY(!OverlayStack::instance().top(&w.window));
        // With the overlay gone, the window is the player's again, keyboard included.
        QCOMPARE(QApplication::focusWidget(), w.field);
        QTest::keyClicks(w.field, QStringLiteral("56"));
        QCOMPARE(w.field->text(), QStringLiteral("56"));
        QTest::mouseClick(w.button, Qt::LeftButton);
        QCOMPARE(w.clicks, 1);
    }

    // A key the card has no control for, typed while the overlay itself
    // holds the keyboard, goes to the card once; ignored there, it climbs
    // back to the overlay and ends, instead of going round for ever.
    void aKeyTheCardIgnoresEndsAtTheOverlay()
    {
        Window w;
        auto *card = new QDialog; // no control takes the key
        card->resize(200, 120);
        ModalOverlay *overlay = ModalOverlay::present(card, &w.window);
        overlay->setFocus();
        QTest::keyClicks(overlay, QStringLiteral("Ada"));
        QVERIFY(card->isVisible());
        QCOMPARE(w.field->text(), QString());
        card->reject();
        QTRY_VERIFY(!OverlayStack::instance().top(&w.window));
    }

    void escapeClosesOnlyTheTopOverlay()
    {
        Window w;
        Onboarding *tutorial = Tutorial::create(&w.window);
        QPointer<Onboarding> under(tutorial);
        tutorial->open();
        QPointer<PromptDialog> first = w.prompt(QStringLiteral("First"));
        ModalOverlay::present(first, &w.window);
        QPointer<PromptDialog> fixed = w.prompt(QStringLiteral("Fixed"), false);
        ModalOverlay::present(fixed, &w.window);
        QCOMPARE(OverlayStack::instance().overlays(&w.window).size(), 3);

        // A prompt without a cancel button keeps its buttons: Escape leaves it up.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(fixed && fixed->isVisible());
        // Clicks go to the top card only.
        QTest::mouseClick(first->buttons().at(1), Qt::LeftButton);
        QVERIFY(w.answers.isEmpty());
        QTest::mouseClick(fixed->buttons().at(1), Qt::LeftButton);
        QCOMPARE(w.answers, QStringList{"Fixed:OK"});
        QTRY_VERIFY(!fixed);

        // Escape then closes one overlay at a time, top first, wherever the focus sat.
        QTest::keyClick(w.field, Qt::Key_Escape);
        QCOMPARE(w.answers, (QStringList{"Fixed:OK", "First:Cancel"}));
        QTRY_VERIFY(!first);
        QVERIFY(under && under->isVisible());
        QTest::keyClick(w.field, Qt::Key_Escape);
        QTRY_VERIFY(!under);
        QVERIFY(!OverlayStack::instance().top(&w.window));
    }

    void tabCyclesWithinTheOverlay()
    {
        Window w;
        QPointer<PromptDialog> dialog = w.prompt(QStringLiteral("First"));
        ModalOverlay::present(dialog, &w.window);
        const QList<DialogButton *> buttons = dialog->buttons();
        QSet<QWidget *> visited;
        for (int i = 0; i < 6; ++i) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus && dialog->isAncestorOf(focus));
            visited.insert(focus);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(visited.size(), buttons.size());
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QVERIFY(dialog->isAncestorOf(QApplication::focusWidget()));
        }
    }

    void anOverlayClosesWithItsOwner()
    {
        Window w;
        auto owner = std::make_unique<QWidget>(&w.window);
        owner->show();
        QPointer<PromptDialog> dialog = w.prompt(QStringLiteral("First"));
        ModalOverlay *overlay = ModalOverlay::present(dialog, &w.window);
        OverlayStack::instance().closeWith(overlay, owner.get());
        owner->hide();
        QTRY_VERIFY(!dialog);

        owner->show();
        QPointer<PromptDialog> second = w.prompt(QStringLiteral("Second"));
        OverlayStack::instance().closeWith(ModalOverlay::present(second, &w.window), owner.get());
        owner.reset();
        QTRY_VERIFY(!second);
        QTRY_VERIFY(!OverlayStack::instance().top(&w.window));
    }
};

QTEST_MAIN(TestOverlay)
#include "tst_overlay.moc"
