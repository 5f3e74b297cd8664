#include "leaderboardpage.h"
#include "cataloguetext.h"
#include "ui_leaderboardpage.h"

#include "gameservice/kit/servicekit.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/resources/resources.h"
#include "views/widgets/button.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QLocale>
#include <QPointer>

#include <algorithm>
#include <climits>

namespace kestrune {

namespace {
QColor named(const char *name)
{
    return Resources::color(QString::fromLatin1(name));
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// The button's id in its group is the enumerator's value.
template<typename E> E chosen(const QButtonGroup *group)
{
    return E(group->checkedId());
}
} // namespace

LeaderboardPage::LeaderboardPage(std::shared_ptr<ServiceKit> kit, const QString &board, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::LeaderboardPage>())
    , m_kit(std::move(kit))
    , m_scopes(new QButtonGroup(this))
    , m_windows(new QButtonGroup(this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("leaderboardPage"));

    m_scopes->addButton(ui->todayButton, int(Leaderboard::Scope::today));
    m_scopes->addButton(ui->weekButton, int(Leaderboard::Scope::week));
    m_scopes->addButton(ui->allTimeButton, int(Leaderboard::Scope::allTime));
    m_windows->addButton(ui->topButton, int(Leaderboard::Window::top));
    m_windows->addButton(ui->aroundMeButton, int(Leaderboard::Window::aroundMe));
    scopeButton(m_query.scope)->setChecked(true);
    windowButton(m_query.window)->setChecked(true);
    styleSegments(m_scopes);
    styleSegments(m_windows);
    connect(m_scopes, &QButtonGroup::idClicked, this, [this] {
        choose({chosen<Leaderboard::Scope>(m_scopes), m_query.window});
    });
    connect(m_windows, &QButtonGroup::idClicked, this, [this] {
        choose({m_query.scope, chosen<Leaderboard::Window>(m_windows)});
    });

    // A selector only when there is something to choose between.
    for (const Leaderboard &b : m_kit->catalogue().leaderboards)
        ui->boardSelector->addItem(
            CatalogueText::leaderboardTitle(b.identifier, b.title.isEmpty() ? b.identifier : b.title), b.identifier);
    ui->boardSelector->setCurrentIndex(std::max(0, ui->boardSelector->findData(board)));
    ui->boardSelector->setVisible(ui->boardSelector->count() > 1);
    connect(ui->boardSelector, &QComboBox::currentIndexChanged, this, &LeaderboardPage::reload);

    QTreeWidget *list = ui->scoreList;
    list->setStyleSheet(QStringLiteral("QTreeView::item { padding: 4px 0; }"));
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    list->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    list->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    setTextColor(ui->playerCountLabel, named("secondaryLabel"));
    setTextColor(ui->emptyLabel, named("secondaryLabel"));
    setTextColor(ui->errorLabel, named("systemRed"));
    ui->errorLabel->hide();
    // The list keeps its place while the count comes and goes.
    QSizePolicy countPolicy = ui->playerCountLabel->sizePolicy();
    countPolicy.setRetainSizeWhenHidden(true);
    ui->playerCountLabel->setSizePolicy(countPolicy);
    ui->playerCountLabel->hide();
    ui->emptyLabel->setText(tr("Loading…"));
    list->hide();

    reload();
}

LeaderboardPage::~LeaderboardPage() = default;

QString LeaderboardPage::board() const
{
    return ui->boardSelector->currentData().toString();
}

QComboBox *LeaderboardPage::boardSelector() const
{
    return ui->boardSelector;
}

QAbstractButton *LeaderboardPage::scopeButton(Leaderboard::Scope scope) const
{
    return m_scopes->button(int(scope));
}

QAbstractButton *LeaderboardPage::windowButton(Leaderboard::Window window) const
{
    return m_windows->button(int(window));
}

QTreeWidget *LeaderboardPage::list() const
{
    return ui->scoreList;
}

QLabel *LeaderboardPage::playerCountLabel() const
{
    return ui->playerCountLabel;
}

QLabel *LeaderboardPage::emptyLabel() const
{
    return ui->emptyLabel;
}

QLabel *LeaderboardPage::errorLabel() const
{
    return ui->errorLabel;
}

void LeaderboardPage::styleSegments(QButtonGroup *group)
{
    group->setExclusive(true);
    const auto paint = [](QAbstractButton *b, bool checked) {
        auto *button = static_cast<Button *>(b);
        button->setBackgroundColorNames(
            checked ? QStringLiteral("accent") : QStringLiteral("secondarySystemBackground"), QString());
        button->setTitleColor(checked ? QColor(Qt::white) : named("label"));
        button->setCornerRadius(8);
        button->update();
    };
    for (QAbstractButton *b : group->buttons())
        paint(b, b->isChecked());
    connect(group, &QButtonGroup::buttonToggled, this, paint);
}

void LeaderboardPage::choose(Leaderboard::Query query)
{
    if (query == m_query)
        return;
    m_query = query;
    reload();
}

void LeaderboardPage::reload()
{
    const QString id = board();
    const int asked = ++m_asked;
    if (id.isEmpty()) {
        showAnswer({}, {}, serviceKitError(ServiceErrorCode::invalidParameter, tr("The game has no leaderboards.")));
        return;
    }
    const QString me = m_kit->localPlayer().playerID().value_or(QString());
    // The answer comes on a service thread; it is shown here, if this page
    // still exists and has not asked anything since.
    const auto self = std::make_shared<QPointer<LeaderboardPage>>(this);
    m_kit->loadScores(id, m_query, [self, asked, me](Leaderboard::Scores scores, OptionalError error) {
        DispatchQueue::main([self, asked, me, scores = std::move(scores), error] {
            if (*self && (*self)->m_asked == asked)
                (*self)->showAnswer(me, scores, error);
        });
    });
}

QString LeaderboardPage::emptyText() const
{
    const bool mine = m_query.window == Leaderboard::Window::aroundMe;
    switch (m_query.scope) {
    case Leaderboard::Scope::today:
        return mine ? tr("You have no score today yet.") : tr("No scores today yet.");
    case Leaderboard::Scope::week:
        return mine ? tr("You have no score this week yet.") : tr("No scores this week yet.");
    case Leaderboard::Scope::allTime:
        break;
    }
    return mine ? tr("You have no score yet.") : tr("No scores yet.");
}

void LeaderboardPage::showAnswer(const QString &me, const Leaderboard::Scores &scores, const OptionalError &error)
{
    ui->scoreList->clear();
    if (error) {
        QString text = tr("The scores could not be loaded: %1").arg(error->message);
        if (error->code == ServiceErrorCode::communicationsFailure)
            text += QStringLiteral("\n\n")
                    + tr("Your own scores wait on this computer and go out when the service answers.");
        ui->errorLabel->setText(text);
    }
    ui->errorLabel->setVisible(bool(error));
    const bool empty = error || scores.scores.empty();
    ui->scoreList->setVisible(!empty);
    if (!error)
        showRows(me, scores);
    ui->emptyLabel->setVisible(empty && !error);
    ui->emptyLabel->setText(emptyText());
    ui->playerCountLabel->setVisible(!error && scores.playerCount > 0);
    ui->playerCountLabel->setText(tr("%Ln players", "", int(std::min<std::int64_t>(scores.playerCount, INT_MAX))));
    emit shown();
}

void LeaderboardPage::showRows(const QString &me, const Leaderboard::Scores &scores)
{
    QColor tint = named("accent");
    tint.setAlphaF(0.16f);
    QFont bold = ui->scoreList->font();
    bold.setBold(true);
    const QLocale locale;
    std::int64_t previousRank = 0;
    std::int64_t previousValue = 0;
    int position = 0;
    for (const Score &s : scores.scores) {
        ++position;
        // The service's rank; where it gave none, equal scores still share one.
        std::int64_t rank = s.rank();
        if (rank <= 0)
            rank = position > 1 && s.value() == previousValue ? previousRank : position;
        previousRank = rank;
        previousValue = s.value();
        const bool mine = !me.isEmpty() && s.playerID() == me;
        const QString name = s.displayName().isEmpty() ? s.playerID() : s.displayName();
        auto *item = new QTreeWidgetItem(
            ui->scoreList, {locale.toString(qlonglong(rank)), name, locale.toString(qlonglong(s.value()))});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::AccessibleTextRole, tr("Rank %1").arg(rank));
        item->setData(2, Qt::AccessibleTextRole, tr("%1 points").arg(s.value()));
        if (!mine)
            continue;
        item->setData(1, Qt::AccessibleTextRole, tr("You, %1").arg(name));
        for (int c = 0; c < 3; ++c) {
            item->setFont(c, bold);
            item->setBackground(c, tint);
        }
        // Around the player, the player's row is what the list is about;
        // once the list has its height, it goes to the middle.
        if (m_query.window == Leaderboard::Window::aroundMe) {
            const int row = ui->scoreList->indexOfTopLevelItem(item);
            QMetaObject::invokeMethod(
                this,
                [this, row] {
                    if (QTreeWidgetItem *mine = ui->scoreList->topLevelItem(row))
                        ui->scoreList->scrollToItem(mine, QAbstractItemView::PositionAtCenter);
                },
                Qt::QueuedConnection);
        }
    }
}

} // namespace kestrune
