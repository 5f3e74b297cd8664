#include "accessibilityrecorder.h"
#include "englishcatalogue.h"
#include "memorystore.h"

#include "game/computer/computerstatistics.h"
#include "game/statisticshelper.h"
#include "platform/device/deviceprofile.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"
#include "screens/statistics/statisticsrowdelegate.h"
#include "screens/statistics/statisticsviewcontroller.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// -1 leaves the key absent.
struct Stored
{
    std::int64_t games = -1, wins = -1, losses = -1, secondsInGame = -1, secondsInWonGames = -1;
};

void plant(MemoryStore &store, const Stored &s)
{
    const std::pair<const std::string &, std::int64_t> values[] = {
        {StatisticsHelper::games, s.games},
        {StatisticsHelper::wins, s.wins},
        {StatisticsHelper::losses, s.losses},
        {StatisticsHelper::secondsSpentInGame, s.secondsInGame},
        {StatisticsHelper::secondsSpentInWonGames, s.secondsInWonGames}};
    for (const auto &[key, value] : values) {
        if (value >= 0)
            store.setInteger(key, value);
    }
}

// The values a list draws, row by row.
QStringList shownValues(const QListWidget *list)
{
    QStringList values;
    for (int row = 0; row < list->count(); ++row)
        values << list->item(row)->data(StatisticsRowDelegate::valueRole).toString();
    return values;
}
QStringList shownValues(const StatisticsViewController &screen)
{
    return shownValues(screen.tableView());
}

void addOutcomes(MemoryStore &store, ComputerStrength strength, int wins, int losses, int ties)
{
    using O = ComputerStatistics::Outcome;
    for (const auto &[outcome, times] : {std::pair{O::win, wins}, std::pair{O::loss, losses}, std::pair{O::tie, ties}})
        for (int i = 0; i < times; ++i)
            ComputerStatistics::add(store, strength, outcome);
}

// The names a list's rows give assistive technology.
QStringList accessibleRows(QWidget *list)
{
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(list);
    QStringList names;
    for (int i = 0; table && i < table->childCount(); ++i) {
        QAccessibleInterface *child = table->child(i);
        if (child->role() == QAccessible::ListItem)
            names << child->text(QAccessible::Name);
    }
    return names;
}

// The names assistive technology meets walking the tree in reading order.
QStringList readingOrder(QAccessibleInterface *iface)
{
    QStringList names;
    if (!iface || iface->state().invisible)
        return names;
    names << iface->text(QAccessible::Name);
    for (int i = 0; i < iface->childCount(); ++i)
        names << readingOrder(iface->child(i));
    return names;
}

struct Stack
{
    NavigationController navigation;
    ViewController *root = new ViewController;
    Stack()
    {
        navigation.resize(375, 667);
        navigation.pushViewController(root, false);
        navigation.show();
    }
    StatisticsViewController *push(MemoryStore &store)
    {
        auto *screen = new StatisticsViewController(store);
        navigation.pushViewController(screen, false);
        return screen;
    }
    // Away to a screen above and back: the next visit.
    void visitAgain()
    {
        navigation.pushViewController(new ViewController, false);
        navigation.popViewController(false);
    }
};

} // namespace

Q_DECLARE_METATYPE(Stored)

class TestStatisticsScreen : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DeviceProfile::setCurrent(DeviceProfile::phone());
        NavigationController::setAnimationsEnabled(false);
    }
    void cleanup() { NavigationController::setAnimationsEnabled(true); }

    void rowsShowTheStoredStatistics_data()
    {
        QTest::addColumn<Stored>("stored");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("nothing stored") << Stored{} << QStringList{"0", "0", "0", "0%", "0 s", "N/A"};
        QTest::newRow("2 of 3 won") << Stored{3, 2, 1, 200, 150}
                                    << QStringList{"3", "2", "1", "67%", "3 min 20 s", "1 min 15 s"};
        QTest::newRow("1 of 8: 12.5 rounds up")
            << Stored{8, 1, 7, 600, 40} << QStringList{"8", "1", "7", "13%", "10 min", "40 s"};
        QTest::newRow("95 s over 3 wins")
            << Stored{3, 3, 0, 95, 95} << QStringList{"3", "3", "0", "100%", "1 min 35 s", "32 s"};
        QTest::newRow("only losses") << Stored{2, 0, 2, 3725, 0}
                                     << QStringList{"2", "0", "2", "0%", "1 h 2 min", "N/A"};
    }
    void rowsShowTheStoredStatistics()
    {
        QFETCH(Stored, stored);
        QFETCH(QStringList, values);
        MemoryStore store;
        plant(store, stored);
        Stack stack;
        auto *screen = stack.push(store);
        QCOMPARE(screen->tableView()->count(), 6);
        const QStringList titles{"Games played",       "Games won",    "Games lost",
                                 "Winning percentage", "Playing time", "Avg time to kestrune a code"};
        QStringList shownTitles, spoken;
        for (int row = 0; row < 6; ++row) {
            shownTitles << screen->tableView()->item(row)->text();
            spoken << titles.at(row) + ": " + values.at(row);
        }
        QCOMPARE(shownTitles, titles);
        QCOMPARE(shownValues(*screen), values);
        // Each row is one item for assistive technology: its title and its value.
        QCOMPARE(QAccessible::queryAccessibleInterface(screen->tableView())->text(QAccessible::Name), "Statistics");
        QCOMPARE(accessibleRows(screen->tableView()), spoken);
    }

    // Read as the screen is about to appear, and not again until the next
    // appearance: coming back from a screen above shows what changed.
    void valuesAreReadOncePerVisit()
    {
        MemoryStore store;
        plant(store, Stored{1, 1, 0, 30, 30});
        Stack stack;
        auto *screen = new StatisticsViewController(store);
        QVERIFY(screen->shownDetails().isEmpty());
        stack.navigation.pushViewController(screen, false);
        QCOMPARE(shownValues(*screen).first(), "1");
        QCOMPARE(screen->shownComputerDetails().at(2), "No matches yet");

        StatisticsHelper::recordGame(store, false, 0);
        ComputerStatistics::add(store, ComputerStrength::hard, ComputerStatistics::Outcome::loss);
        QCOMPARE(shownValues(*screen).first(), "1");
        QCOMPARE(shownValues(screen->computerTableView()).at(2), "No matches yet");

        stack.visitAgain();
        QCOMPARE(shownValues(*screen), (QStringList{"2", "1", "1", "50%", "30 s", "30 s"}));
        QCOMPARE(screen->shownDetails(), shownValues(*screen));
        QCOMPARE(shownValues(screen->computerTableView()).at(2), "0 wins, 1 loss, 0 ties");
        QCOMPARE(screen->shownComputerDetails(), shownValues(screen->computerTableView()));
    }

    void barHasTheTitleAndABackItemThatPops()
    {
        MemoryStore store;
        Stack stack;
        auto *screen = stack.push(store);
        QCOMPARE(screen->navigationItem()->title(), "Statistics");
        QCOMPARE(screen->navigationItem()->leftItems(), QList<BarButtonItem *>{screen->backItem()});
        QCOMPARE(screen->backItem()->accessibleName(), "Back");
        screen->backItem()->trigger();
        QTRY_COMPARE(stack.navigation.topViewController(), stack.root);
    }

    void computerRowsCountEachOutcomePerStrength_data()
    {
        QTest::addColumn<QList<int>>("counts"); // wins, losses, ties at easy, normal, hard
        QTest::addColumn<QStringList>("values");
        QTest::newRow("nothing played") << QList<int>(9, 0) << QStringList(3, "No matches yet");
        QTest::newRow("one of each at one strength")
            << QList<int>{0, 0, 0, 1, 1, 1, 0, 0, 0}
            << QStringList{"No matches yet", "1 win, 1 loss, 1 tie", "No matches yet"};
        QTest::newRow("plurals and zeros")
            << QList<int>{3, 2, 0, 0, 1, 0, 2, 0, 5}
            << QStringList{"3 wins, 2 losses, 0 ties", "0 wins, 1 loss, 0 ties", "2 wins, 0 losses, 5 ties"};
    }
    void computerRowsCountEachOutcomePerStrength()
    {
        QFETCH(QList<int>, counts);
        QFETCH(QStringList, values);
        MemoryStore store;
        plant(store, Stored{2, 1, 1, 60, 30});
        for (int s = 0; s < 3; ++s)
            addOutcomes(store, ComputerStrengths::all.at(s), counts.at(3 * s), counts.at(3 * s + 1),
                        counts.at(3 * s + 2));
        QCOMPARE(StatisticsViewController::computerDetails(store), values);

        Stack stack;
        auto *screen = stack.push(store);
        QCOMPARE(screen->computerTableView()->count(), 3);
        QStringList titles;
        for (int row = 0; row < 3; ++row)
            titles << screen->computerTableView()->item(row)->text();
        QCOMPARE(titles, (QStringList{"Easy", "Normal", "Hard"}));
        QCOMPARE(shownValues(screen->computerTableView()), values);
        // The six rows know nothing of computer matches.
        QCOMPARE(shownValues(*screen), StatisticsViewController::details(store));
    }

    // A value longer than the row (a long translation) leaves the title its
    // share; a short one is drawn whole in the row's font, as before.
    void aLongValueLeavesTheTitleRoom()
    {
        QFont font;
        font.setPixelSize(17);
        const int width = 343;
        const QFontMetrics metrics(font);

        const auto shortRow = StatisticsRowDelegate::layoutRow(font, width, "Easy", "7 wins, 1 loss, 0 ties");
        QCOMPARE(shortRow.value, "7 wins, 1 loss, 0 ties");
        QCOMPARE(shortRow.valueFont, font);
        QCOMPARE(shortRow.title, "Easy");
        QCOMPARE(shortRow.titleFont, font);

        const QString longValue =
            "7 \u043f\u043e\u0431\u0435\u0434, 1 \u043f\u043e\u0440\u0430\u0436\u0435\u043d\u0438\u0435, "
            "0 \u043d\u0438\u0447\u044c\u0438\u0445 \u0438 \u0435\u0449\u0451 "
            "\u043d\u0435\u043c\u043d\u043e\u0433\u043e \u0442\u0435\u043a\u0441\u0442\u0430";
        const auto longRow = StatisticsRowDelegate::layoutRow(font, width, "Normal", longValue);
        QCOMPARE(longRow.title, "Normal");
        QVERIFY(longRow.titleWidth
                >= width * (1 - StatisticsRowDelegate::maximumValueShare) - StatisticsRowDelegate::horizontalMargin);
        QVERIFY(QFontMetrics(longRow.valueFont).horizontalAdvance(longRow.value)
                <= width * StatisticsRowDelegate::maximumValueShare);
        QVERIFY(longRow.valueFont.pixelSize() < font.pixelSize());
        QVERIFY(longRow.value.endsWith(QChar(0x2026)));
    }

    // A reader hears the screen by a spoken name, finds nothing it cannot
    // name, and meets the computer heading, read as a heading, before the
    // rows it heads.
    void theComputerSectionIsAHeadingReadBeforeItsRows()
    {
        MemoryStore store;
        addOutcomes(store, ComputerStrength::easy, 2, 1, 0);
        Stack stack;
        auto *screen = stack.push(store);
        QVERIFY(QTest::qWaitForWindowExposed(&stack.navigation));
        QCOMPARE(screen->objectName(), "StatisticsViewController");
        QCOMPARE(QAccessible::queryAccessibleInterface(screen)->text(QAccessible::Name), "Statistics");
        QCOMPARE(unnamedElements(&stack.navigation).join("; "), QString());
        QLabel *heading = screen->computerHeading();
        QVERIFY(heading && heading->isVisible());
        QCOMPARE(heading->text(), "Against the computer");
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(heading);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Heading);
        QCOMPARE(face->text(QAccessible::Name), "Against the computer");
        QCOMPARE(accessibleRows(screen->computerTableView()),
                 (QStringList{"Easy: 2 wins, 1 loss, 0 ties", "Normal: No matches yet", "Hard: No matches yet"}));
        QVERIFY(!accessibleRows(screen->tableView()).join(' ').contains("computer"));

        // Below the six rows, nothing cut off on a phone.
        const QRect rows = screen->tableView()->geometry();
        QVERIFY(heading->geometry().top() > rows.bottom() + 16);
        QVERIFY(screen->computerTableView()->geometry().top() > heading->geometry().top());
        for (QListWidget *list : {screen->tableView(), screen->computerTableView()})
            QCOMPARE(list->height(), list->sizeHintForRow(0) * list->count());

        const QStringList order = readingOrder(QAccessible::queryAccessibleInterface(&stack.navigation));
        const qsizetype at = order.indexOf("Against the computer");
        QVERIFY2(at >= 0, qPrintable(order.join(" | ")));
        QCOMPARE(order.value(at + 1), "Against the computer"); // the list, named after it
        QVERIFY(order.indexOf("Easy: 2 wins, 1 loss, 0 ties") > at);
        const auto gamesPlayed = std::find_if(order.begin(), order.end(),
                                              [](const QString &name) { return name.startsWith("Games played: "); });
        QVERIFY(gamesPlayed - order.begin() < at);
    }

    // The area round the lists takes no focus of its own (a reader would
    // stop at it and hear nothing); it follows the row the keys reach.
    void theAreaFollowsTheCurrentRow()
    {
        MemoryStore store;
        Stack stack;
        stack.navigation.resize(375, 320);
        auto *screen = stack.push(store);
        QVERIFY(QTest::qWaitForWindowExposed(&stack.navigation));
        auto *area = screen->findChild<QScrollArea *>();
        QVERIFY(area);
        QCOMPARE(area->focusPolicy(), Qt::NoFocus);
        QCOMPARE(area->verticalScrollBar()->value(), 0);
        QListWidget *list = screen->computerTableView();
        list->setCurrentRow(2);
        const QRect row = list->visualRect(list->model()->index(2, 0));
        const QRect shown(list->viewport()->mapTo(area->viewport(), row.topLeft()), row.size());
        QVERIFY(area->verticalScrollBar()->value() > 0);
        QVERIFY2(area->viewport()->rect().contains(shown), qPrintable(QString::number(shown.top())));
    }
};

QTEST_MAIN(TestStatisticsScreen)
#include "tst_statisticsscreen.moc"
