#include "statisticsviewcontroller.h"
#include "ui_statisticsviewcontroller.h"

#include "sectionheading.h"
#include "statisticsrowdelegate.h"

#include "game/computer/computerstatistics.h"
#include "game/keyvaluestore.h"
#include "game/statisticshelper.h"
#include "game/timetext.h"
#include "platform/device/deviceprofile.h"
#include "platform/resources/resources.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"

#include <QListWidget>
#include <QLocale>
#include <QScrollArea>
#include <QScroller>

#include <algorithm>
#include <climits>
#include <cmath>

namespace kestrune {

StatisticsViewController::StatisticsViewController(KeyValueStore &store, QWidget *parent)
    : ViewController(parent)
    , ui(std::make_unique<Ui::StatisticsViewController>())
    , m_store(store)
    , m_backItem(new BarButtonItem(QStringLiteral("Back"), this))
{
    ui->setupUi(this);
    setAccessibilityIdentifier(QStringLiteral("StatisticsViewController"));
    // The identifier is for tests; a listener hears what the screen is.
    setAccessibleName(tr("Statistics"));
    navigationItem()->setTitle(tr("Statistics"));
    m_backItem->setAccessibilityIdentifier(QStringLiteral("backButton"));
    m_backItem->setAccessibleName(tr("Back"));
    navigationItem()->setLeftItems({m_backItem});
    connect(m_backItem, &BarButtonItem::triggered, this, [this] {
        if (NavigationController *nav = navigationController())
            nav->popViewController(true);
    });

    // Before every appearance, the first one included: the rows then show
    // the store as it is now.
    m_disposeBag.insert(viewWillAppear().subscribe([this](bool) {
        loadViewIfNeeded();
        reloadData();
    }));
}

StatisticsViewController::~StatisticsViewController() = default;

QListWidget *StatisticsViewController::tableView() const
{
    return ui->tableView;
}

QListWidget *StatisticsViewController::computerTableView() const
{
    return ui->computerTableView;
}

QStringList StatisticsViewController::titles()
{
    return {tr("Games played"),       tr("Games won"),    tr("Games lost"),
            tr("Winning percentage"), tr("Playing time"), tr("Avg time to kestrune a code")};
}

QStringList StatisticsViewController::details(const KeyValueStore &store)
{
    const std::int64_t games = StatisticsHelper::integerValue(store, StatisticsHelper::games);
    const std::int64_t wins = StatisticsHelper::integerValue(store, StatisticsHelper::wins);
    const std::int64_t losses = StatisticsHelper::integerValue(store, StatisticsHelper::losses);
    const std::int64_t played = StatisticsHelper::integerValue(store, StatisticsHelper::secondsSpentInGame);
    const std::int64_t wonTime = StatisticsHelper::integerValue(store, StatisticsHelper::secondsSpentInWonGames);

    // std::round takes halves away from zero: 1 of 8 is 12.5, shown as 13.
    const QLocale locale;
    const std::int64_t percent = games == 0 ? 0 : std::llround(double(wins) / double(games) * 100.0);
    //: A winning percentage
    const QString percentage = tr("%1%").arg(locale.toString(qlonglong(percent)));
    //: No average time: no game won yet
    const QString average = wins == 0 ? tr("N/A") : TimeText::duration(double(wonTime) / double(wins));
    return {locale.toString(qlonglong(games)),  locale.toString(qlonglong(wins)),
            locale.toString(qlonglong(losses)), percentage,
            TimeText::duration(double(played)), average};
}

QStringList StatisticsViewController::computerTitles()
{
    QStringList out;
    for (ComputerStrength strength : ComputerStrengths::all)
        out.append(ComputerStrengths::displayTitle(strength));
    return out;
}

QStringList StatisticsViewController::computerDetails(const KeyValueStore &store)
{
    QStringList out;
    for (ComputerStrength strength : ComputerStrengths::all) {
        const ComputerStatistics::Record record = ComputerStatistics::record(store, strength);
        if (record.matches() == 0) {
            out.append(tr("No matches yet"));
            continue;
        }
        // The plural forms count in int; a record beyond that is held there.
        const auto n = [](std::int64_t count) { return int(std::clamp<std::int64_t>(count, 0, INT_MAX)); };
        //: Wins, losses and ties against the computer, e.g. "3 wins, 2 losses, 0 ties"
        out.append(tr("%1, %2, %3")
                       .arg(tr("%n wins", "", n(record.wins)), tr("%n losses", "", n(record.losses)),
                            tr("%n ties", "", n(record.ties))));
    }
    return out;
}

void StatisticsViewController::viewDidLoad()
{
    ViewController::viewDidLoad();

    const bool tablet = DeviceProfile::current().isTablet();
    QFont font = ui->tableView->font();
    font.setPixelSize(tablet ? 20 : 17);
    const int rowHeight = tablet ? 56 : 44;
    // The lists show all their rows; the area around them scrolls when a
    // short window cannot hold both.
    QScroller::grabGesture(ui->scrollArea->viewport(), QScroller::LeftMouseButtonGesture);
    ui->tableView->setFont(font);
    ui->computerTableView->setFont(font);
    ui->tableView->setAccessibleDescription(tr("Your games on this device"));
    ui->computerTableView->setAccessibleDescription(tr("Your matches against the computer, by strength"));

    m_computerHeading = new SectionHeading(tr("Against the computer"), ui->content);
    QFont headingFont = font;
    headingFont.setPixelSize(tablet ? 16 : 14);
    headingFont.setWeight(QFont::DemiBold);
    m_computerHeading->setFont(headingFont);
    // A frame sets its own contents margins when polished; the room around
    // the heading comes from the layout and the label's indent instead.
    m_computerHeading->setIndent(StatisticsRowDelegate::horizontalMargin);
    const int at = ui->listsLayout->indexOf(ui->computerTableView);
    ui->listsLayout->insertSpacing(at, tablet ? 36 : 28);
    ui->listsLayout->insertWidget(at + 1, m_computerHeading);
    ui->listsLayout->insertSpacing(at + 2, 8);
    // Assistive technology walks the widgets in the order they were made;
    // the heading, made last, must come before the list it heads.
    m_computerHeading->stackUnder(ui->computerTableView);

    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Resources::color(QStringLiteral("systemBackground")));
    colours.setColor(QPalette::Base, Resources::color(QStringLiteral("systemBackground")));
    colours.setColor(QPalette::Text, Resources::color(QStringLiteral("label")));
    setPalette(colours);
    ui->content->setAutoFillBackground(true);

    fillRows(ui->tableView, titles(), rowHeight);
    fillRows(ui->computerTableView, computerTitles(), rowHeight);
    // The area only holds the lists and takes no focus of its own: it
    // follows the row the keys move to.
    for (QListWidget *list : {ui->tableView, ui->computerTableView}) {
        connect(list, &QListWidget::currentRowChanged, this, [this, list](int row) {
            const QRect item = list->visualRect(list->model()->index(row, 0));
            const QPoint centre = list->viewport()->mapTo(ui->content, item.center());
            ui->scrollArea->ensureVisible(centre.x(), centre.y(), 0, item.height() / 2 + 1);
        });
    }
}

void StatisticsViewController::fillRows(QListWidget *list, const QStringList &titles, int rowHeight)
{
    list->setItemDelegate(new StatisticsRowDelegate(rowHeight, list));
    for (const QString &title : titles) {
        auto *item = new QListWidgetItem(title, list);
        item->setFlags(Qt::ItemIsEnabled);
    }
    list->setFixedHeight(int(titles.size()) * rowHeight + 2 * list->frameWidth());
}

void StatisticsViewController::reloadData()
{
    m_details = details(m_store);
    m_computerDetails = computerDetails(m_store);
    showValues(ui->tableView, titles(), m_details);
    showValues(ui->computerTableView, computerTitles(), m_computerDetails);
}

void StatisticsViewController::showValues(QListWidget *list, const QStringList &titles, const QStringList &values)
{
    for (int row = 0; row < titles.size(); ++row) {
        QListWidgetItem *item = list->item(row);
        item->setData(StatisticsRowDelegate::valueRole, values.at(row));
        // One item to assistive technology: the title with its value.
        const QString whole = tr("%1: %2", "a statistic and its value").arg(titles.at(row), values.at(row));
        item->setData(Qt::AccessibleTextRole, whole);
        // The same for the eye, where the row had to cut a long text short.
        item->setToolTip(whole);
    }
}

} // namespace kestrune
