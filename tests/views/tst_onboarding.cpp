#include "manualanimationdriver.h"
#include "platform/device/deviceprofile.h"
#include "platform/resources/resources.h"
#include "views/onboarding/onboarding.h"
#include "views/onboarding/onboardingbutton.h"
#include "views/onboarding/onboardingpageview.h"
#include "views/onboarding/pageindicator.h"
#include "views/onboarding/tutorial.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <memory>

using namespace kestrune;

namespace {

// A screen-sized window for the card to cover.
std::unique_ptr<QWidget> makeHost(QSize size = QSize(375, 603))
{
    auto host = std::make_unique<QWidget>();
    host->setAutoFillBackground(true);
    host->setPalette(Resources::palette());
    host->resize(size);
    host->show();
    return host;
}

QColor textColorOf(QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

QString accessibleName(QObject *object)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(object);
    return interface ? interface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

} // namespace

class OnboardingTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DeviceProfile::setCurrent(DeviceProfile::phone());
        Resources::setColorScheme(Resources::ColorScheme::light);
    }

    // Six pages in order, in the tutorial's colours; it does not pile up
    // when the game screen shows it again and again.
    void theTutorialShowsItsSixPagesInItsColours()
    {
        auto host = makeHost();
        QPointer<Onboarding> tutorial = Tutorial::create(host.get());
        const QList<std::pair<QString, QString>> pages{{"Tutorial Puzzle", "Classic puzzle based game"},
                                                       {"Tutorial Bulls and Cows", "Black indicator pegs"},
                                                       {"Tutorial Bulls and Cows", "White indicator pegs"},
                                                       {"Tutorial Bulls and Cows", "Indicator pegs"},
                                                       {"Tutorial Single Player", "Single player"},
                                                       {"Tutorial Two Players", "Two players"}};
        QCOMPARE(tutorial->pageCount(), int(pages.size()));
        tutorial->open();
        for (int page = 0; page < pages.size(); ++page) {
            const auto &[image, title] = pages.at(page);
            const OnboardingPage shown = tutorial->pages().at(page);
            QCOMPARE(shown, OnboardingPage(image, title, shown.text()));
            QVERIFY(!shown.text().isEmpty());
            QVERIFY(Resources::hasImage(image));
            tutorial->goToPage(page, false);
            OnboardingPageView *view = tutorial->pageView(page);
            QVERIFY(view->isVisible());
            QCOMPARE(view->titleLabel()->text(), title);
            QCOMPARE(view->textLabel()->text(), shown.text());
            QCOMPARE(view->geometry().topLeft(), QPoint(0, 0));
        }

        const QColor red = Resources::color(QStringLiteral("tutorialRed"));
        QCOMPARE(tutorial->objectName(), QStringLiteral("TutorialView"));
        QCOMPARE(tutorial->closeButtonTitle(), QStringLiteral("DONE"));
        QCOMPARE(tutorial->backgroundColor(), Resources::color(QStringLiteral("secondarySystemBackground")));
        QCOMPARE(tutorial->button()->tintColor(), red);
        QCOMPARE(tutorial->button()->titleColor(), QColor(Qt::white));
        QCOMPARE(tutorial->pageIndicator()->currentColor(), red);
        QCOMPARE(textColorOf(tutorial->pageView(3)->titleLabel()), red);
        QCOMPARE(textColorOf(tutorial->pageView(3)->textLabel()), Resources::color(QStringLiteral("label")));
        tutorial->close();
        QTRY_VERIFY(!tutorial);
    }

    void titlesTakeTheTextColourUntilTheyHaveTheirOwn()
    {
        auto host = makeHost();
        Onboarding card({OnboardingPage(QStringLiteral("Tutorial Puzzle"), QStringLiteral("t"), QStringLiteral("x"))},
                        host.get());
        card.setTextColor(Qt::blue);
        QCOMPARE(textColorOf(card.pageView(0)->titleLabel()), QColor(Qt::blue));
        card.setTitleColor(Qt::red);
        QCOMPARE(textColorOf(card.pageView(0)->titleLabel()), QColor(Qt::red));
        QCOMPARE(textColorOf(card.pageView(0)->textLabel()), QColor(Qt::blue));
    }

    void tutorialSizeFollowsTheScreen_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QSize>("hostSize");
        QTest::addColumn<qreal>("widthRatio");
        QTest::addColumn<qreal>("heightRatio");
        QTest::newRow("small phone: 0.86 of each side") << "small-phone" << QSize(320, 504) << 0.86 << 0.86;
        QTest::newRow("phone: at most 0.8 of each side") << "phone" << QSize(375, 603) << 0.8 << 0.8;
        QTest::newRow("tall phone: 500 points high") << "tall-phone" << QSize(390, 780) << 0.8 << 500.0 / 780;
        QTest::newRow("tablet: 350 x 500 points") << "tablet" << QSize(768, 960) << 350.0 / 768 << 500.0 / 960;
        QTest::newRow("host not laid out yet") << "tablet" << QSize(0, 0) << 0.8 << 0.8;
    }

    void tutorialSizeFollowsTheScreen()
    {
        QFETCH(QString, device);
        QFETCH(QSize, hostSize);
        QFETCH(qreal, widthRatio);
        QFETCH(qreal, heightRatio);
        DeviceProfile::setCurrent(*DeviceProfile::fromName(device));
        auto host = makeHost(hostSize);
        Onboarding *tutorial = Tutorial::create(host.get());
        QCOMPARE(tutorial->widthRatio(), widthRatio);
        QCOMPARE(tutorial->heightRatio(), heightRatio);

        // The card takes that share of the host, centred, also after a resize.
        host->resize(768, 1024);
        tutorial->open();
        const QRect card = tutorial->cardRect();
        QCOMPARE(card.size(), QSize(qRound(768 * widthRatio), qRound(1024 * heightRatio)));
        QVERIFY(qAbs(card.center().x() - 384) <= 1 && qAbs(card.center().y() - 512) <= 1);
        QCOMPARE(tutorial->geometry(), host->rect());
    }

    void theButtonTurnsThePagesAndClosesOnTheLast()
    {
        auto host = makeHost();
        Onboarding *tutorial = Tutorial::create(host.get());
        QSignalSpy finished(tutorial, &Onboarding::finished);
        tutorial->open();
        OnboardingButton *button = tutorial->button();
        for (int page = 0; page < 5; ++page) {
            QCOMPARE(tutorial->currentPage(), page);
            QCOMPARE(button->text(), QStringLiteral("Next"));
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(tutorial->currentPage(), 5);
        QCOMPARE(button->text(), QStringLiteral("DONE"));
        QCOMPARE(finished.count(), 0);
        QVERIFY(tutorial->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
    }

    void keysTurnThePages_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("closed");
        QTest::newRow("right turns forward") << 0 << int(Qt::Key_Right) << 1 << false;
        QTest::newRow("page down turns forward") << 2 << int(Qt::Key_PageDown) << 3 << false;
        QTest::newRow("left turns back") << 3 << int(Qt::Key_Left) << 2 << false;
        QTest::newRow("page up turns back") << 1 << int(Qt::Key_PageUp) << 0 << false;
        QTest::newRow("nothing before the first page") << 0 << int(Qt::Key_Left) << 0 << false;
        QTest::newRow("right on the last page does not close") << 5 << int(Qt::Key_Right) << 5 << false;
        QTest::newRow("return presses Next") << 0 << int(Qt::Key_Return) << 1 << false;
        QTest::newRow("return presses DONE on the last page") << 5 << int(Qt::Key_Return) << 5 << true;
        QTest::newRow("escape closes on any page") << 2 << int(Qt::Key_Escape) << 2 << true;
    }

    void keysTurnThePages()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        QFETCH(bool, closed);
        auto host = makeHost();
        Onboarding card(Tutorial::pages(), host.get());
        QSignalSpy finished(&card, &Onboarding::finished);
        host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(host.get()));
        card.open();
        card.goToPage(from, false);
        QVERIFY(card.hasFocus());
        QTest::keyClick(&card, Qt::Key(key));
        QCOMPARE(card.currentPage(), to);
        QCOMPARE(finished.count(), closed ? 1 : 0);
        QCOMPARE(card.isVisible(), !closed);
    }

    void dragsTurnThePages_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("onCard");
        QTest::addColumn<int>("distance");
        QTest::addColumn<qreal>("whileDragging"); // pages moved while the finger is down
        QTest::addColumn<int>("to");
        QTest::newRow("to the left turns forward") << 0 << true << -100 << 1.0 / 3 << 1;
        QTest::newRow("to the right turns back") << 2 << true << 100 << -1.0 / 3 << 1;
        QTest::newRow("a short drag springs back") << 2 << true << -30 << 0.1 << 2;
        QTest::newRow("nothing before the first page") << 0 << true << 150 << -0.5 / 3 << 0;
        QTest::newRow("nothing after the last page") << 5 << true << -150 << 0.5 / 3 << 5;
        QTest::newRow("beside the card nothing moves") << 2 << false << -100 << 0.0 << 2;
    }

    void dragsTurnThePages()
    {
        QFETCH(int, from);
        QFETCH(bool, onCard);
        QFETCH(int, distance);
        QFETCH(qreal, whileDragging);
        QFETCH(int, to);
        test::ManualAnimationDriver driver;
        auto host = makeHost();
        Onboarding card(Tutorial::pages(), host.get());
        card.open();
        card.goToPage(from, false);
        // A card 300 wide with pages edge to edge: 100 points is a third of a page.
        QCOMPARE(card.cardRect().width(), 300);
        const QPoint start = onCard ? card.cardRect().center() : QPoint(card.cardRect().left() / 2, 300);
        QTest::mousePress(&card, Qt::LeftButton, {}, start);
        QTest::mouseMove(&card, start + QPoint(distance / 2, 0));
        QTest::mouseMove(&card, start + QPoint(distance, 0));
        QVERIFY(qAbs(card.pagePosition() - (from + whileDragging)) < 0.01);
        QTest::mouseRelease(&card, Qt::LeftButton, {}, start + QPoint(distance, 0));
        QCOMPARE(card.currentPage(), to);
        driver.advanceBy(Onboarding::turnDurationMs + 20);
        QCOMPARE(card.pagePosition(), qreal(to));
        QCOMPARE(card.pageView(to)->x(), 0);
    }

    void pageTurnsSlide()
    {
        test::ManualAnimationDriver driver;
        auto host = makeHost();
        Onboarding *tutorial = Tutorial::create(host.get());
        tutorial->open();
        QSignalSpy turned(tutorial, &Onboarding::currentPageChanged);
        tutorial->goToPage(2);
        // The page counts as turned at once; the pages take their time.
        QCOMPARE(turned.count(), 1);
        QCOMPARE(tutorial->currentPage(), 2);
        QCOMPARE(tutorial->pageIndicator()->currentPage(), 2);
        driver.advanceBy(Onboarding::turnDurationMs / 3);
        QVERIFY(tutorial->pagePosition() > 0.5 && tutorial->pagePosition() < 2);
        QVERIFY(tutorial->pageView(1)->isVisible());
        driver.advanceBy(Onboarding::turnDurationMs);
        QCOMPARE(tutorial->pagePosition(), 2.0);
        // Settled, only the current page is left to see and to read out.
        for (int page = 0; page < tutorial->pageCount(); ++page)
            QCOMPARE(tutorial->pageView(page)->isVisible(), page == 2);

        tutorial->goToPage(4, false);
        QCOMPARE(tutorial->pagePosition(), 4.0);
    }

    // A page that does not exist, or a ratio outside (0, 1], is refused with
    // a warning and changes nothing.
    void badValuesAreRefused_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<qreal>("value");
        QTest::newRow("page before the first") << "page" << -1.0;
        QTest::newRow("page after the last") << "page" << 6.0;
        QTest::newRow("zero width") << "width" << 0.0;
        QTest::newRow("width above one") << "width" << 1.5;
        QTest::newRow("negative height") << "height" << -0.5;
        QTest::newRow("height not a number") << "height" << qQNaN();
    }

    void badValuesAreRefused()
    {
        QFETCH(QString, what);
        QFETCH(qreal, value);
        auto host = makeHost();
        Onboarding card(Tutorial::pages(), host.get());
        card.goToPage(1, false);
        card.setWidthRatio(0.5);
        card.setHeightRatio(0.6);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(what == "page" ? "onboarding.cpp: page -?\\d+ does not exist"
                                                               : "onboarding.cpp: .* ratio .* keeping 0.[56]"));
        if (what == "page")
            card.goToPage(int(value), false);
        else if (what == "width")
            card.setWidthRatio(value);
        else
            card.setHeightRatio(value);
        QCOMPARE(card.currentPage(), 1);
        QCOMPARE(card.pagePosition(), 1.0);
        QCOMPARE(card.widthRatio(), 0.5);
        QCOMPARE(card.heightRatio(), 0.6);
    }

    void screenReadersHearEachPage()
    {
        auto host = makeHost();
        Onboarding *tutorial = Tutorial::create(host.get());
        tutorial->open();
        QCOMPARE(accessibleName(tutorial), QStringLiteral("Tutorial"));
        QCOMPARE(accessibleName(tutorial->button()), QStringLiteral("Next"));
        QCOMPARE(accessibleName(tutorial->pageIndicator()), QStringLiteral("Page 1 of 6"));
        // Labels are read as they read.
        QLabel *title = tutorial->pageView(0)->titleLabel();
        QCOMPARE(accessibleName(title), title->text());
        QCOMPARE(accessibleName(tutorial->pageView(0)->textLabel()), tutorial->pageView(0)->textLabel()->text());

        QTest::keyClick(tutorial, Qt::Key_Right);
        QCOMPARE(accessibleName(tutorial->pageIndicator()), QStringLiteral("Page 2 of 6"));
        // Once the page has slid in, it is the only one a reader finds.
        QTRY_COMPARE(tutorial->pagePosition(), 1.0);
        QAccessibleInterface *pager = QAccessible::queryAccessibleInterface(tutorial->pageView(1)->parentWidget());
        QStringList shown;
        for (int i = 0; i < pager->childCount(); ++i) {
            if (!pager->child(i)->state().invisible)
                shown << pager->child(i)->object()->objectName();
        }
        QCOMPARE(shown, QStringList{QStringLiteral("page2")});

        tutorial->goToPage(5, false);
        // The closing title is written in capitals but spoken as a word.
        QCOMPARE(tutorial->button()->text(), QStringLiteral("DONE"));
        QCOMPARE(accessibleName(tutorial->button()), QStringLiteral("Done"));
    }
};

QTEST_MAIN(OnboardingTest)
#include "tst_onboarding.moc"
