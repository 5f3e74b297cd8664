#include "statisticsviewcontroller.h"
#include "ui_statisticsviewcontroller.h"

#include "statisticsrowdelegate.h"

#include "game/keyvaluestore.h"
#include "game/statisticshelper.h"
#include "game/timetext.h"
#include "platform/device/deviceprofile.h"
#include "platform/resources/resources.h"
#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"

#include <QListWidget>
#include <QScroller>

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

QStringList StatisticsViewController::titles()
{
    return {tr("Games played"), tr("Games won"), tr("Games lost"), tr("Winning percentage"), tr("Playing time"),
            tr("Avg time to kestrune a code")};
}

QStringList StatisticsViewController::details(const KeyValueStore &store)
{
    const std::int64_t games = StatisticsHelper::integerValue(store, StatisticsHelper::games);
    const std::int64_t wins = StatisticsHelper::integerValue(store, StatisticsHelper::wins);
    const std::int64_t losses = StatisticsHelper::integerValue(store, StatisticsHelper::losses);
    const std::int64_t played = StatisticsHelper::integerValue(store, StatisticsHelper::secondsSpentInGame);
    const std::int64_t wonTime = StatisticsHelper::integerValue(store, StatisticsHelper::secondsSpentInWonGames);

    // std::round takes halves away from zero: 1 of 8 is 12.5, shown as 13.
    const QString percentage = games == 0
        ? QStringLiteral("0%")
        : QStringLiteral("%1%").arg(std::llround(double(wins) / double(games) * 100.0));
    const QString average = wins == 0 ? QStringLiteral("N/A") : TimeText::duration(double(wonTime) / double(wins));
    return {QString::number(games), QString::number(wins), QString::number(losses), percentage,
            TimeText::duration(double(played)), average};
}

void StatisticsViewController::viewDidLoad()
{
    ViewController::viewDidLoad();

    const bool tablet = DeviceProfile::current().isTablet();
    QFont font = ui->tableView->font();
    font.setPixelSize(tablet ? 20 : 17);
    ui->tableView->setFont(font);
    ui->tableView->setItemDelegate(new StatisticsRowDelegate(tablet ? 56 : 44, ui->tableView));
    ui->tableView->setAccessibleDescription(tr("Your games on this device"));
    QScroller::grabGesture(ui->tableView->viewport(), QScroller::LeftMouseButtonGesture);

    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Resources::color(QStringLiteral("systemBackground")));
    colours.setColor(QPalette::Base, Resources::color(QStringLiteral("systemBackground")));
    colours.setColor(QPalette::Text, Resources::color(QStringLiteral("label")));
    setPalette(colours);

    for (const QString &title : titles()) {
        auto *item = new QListWidgetItem(title, ui->tableView);
        item->setFlags(Qt::ItemIsEnabled);
    }
}

void StatisticsViewController::reloadData()
{
    m_details = details(m_store);
    const QStringList names = titles();
    for (int row = 0; row < names.size(); ++row) {
        QListWidgetItem *item = ui->tableView->item(row);
        item->setData(StatisticsRowDelegate::valueRole, m_details.at(row));
        // One item to assistive technology: the title with its value.
        item->setData(Qt::AccessibleTextRole, QStringLiteral("%1: %2").arg(names.at(row), m_details.at(row)));
    }
}

} // namespace kestrune
