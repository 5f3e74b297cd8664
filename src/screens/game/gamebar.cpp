#include "gamebar.h"

#include "hintbutton.h"

#include "screens/navigation/barbuttonitem.h"
#include "screens/navigation/navigationitem.h"
#include "views/dots/turnview.h"

#include <QFontDatabase>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPropertyAnimation>

namespace kestrune {

GameBar::GameBar(NavigationItem *item, QWidget *owner)
    : QObject(owner)
    , m_item(item)
    , m_owner(owner)
{
    // The close item comes with the screen, as its left bar item.
    m_closeItem = new BarButtonItem(QStringLiteral("Close Game"), owner);
    m_closeItem->setAccessibleName(tr("Close"));
    connect(m_closeItem, &BarButtonItem::triggered, this, &GameBar::closeTriggered);
    m_item->setLeftItems({m_closeItem});
}

GameBar::~GameBar() = default;

BarButtonItem *GameBar::helpItem()
{
    if (!m_helpItem) {
        m_helpItem = new BarButtonItem(QStringLiteral("Help"), m_owner);
        m_helpItem->setAccessibilityIdentifier(QStringLiteral("Help"));
        m_helpItem->setAccessibleName(tr("Help"));
        m_helpItem->setToolTip(tr("Help (F1)"));
        connect(m_helpItem, &BarButtonItem::triggered, this, &GameBar::helpTriggered);
    }
    return m_helpItem;
}

void GameBar::configureLeftItems(bool singlePlayer, bool offerFaceToFace)
{
    QList<BarButtonItem *> items{m_closeItem};
    if (singlePlayer) {
        if (!m_hintItem) {
            auto *hint = new HintButton;
            connect(hint, &QPushButton::clicked, this, &GameBar::hintClicked);
            m_hintButton = hint;
            m_hintItem = new BarButtonItem(hint, m_owner);
            m_hintItem->setAccessibilityIdentifier(QStringLiteral("Hint"));
        }
        items.append(m_hintItem);
    }
    if (offerFaceToFace) {
        if (!m_simultaneousItem) {
            m_simultaneousItem = new BarButtonItem(QStringLiteral("Simultaneous"), m_owner);
            m_simultaneousItem->setAccessibilityIdentifier(QStringLiteral("Simultaneous"));
            m_simultaneousItem->setAccessibleName(tr("Simultaneous play"));
            connect(m_simultaneousItem, &BarButtonItem::triggered, this, &GameBar::simultaneousTriggered);
        }
        items.append(m_simultaneousItem);
    }
    // Help stays one click away in every match, before and after the first shot.
    if (m_shown.kind() != NavigationBarItem::Kind::help)
        items.append(helpItem());
    if (m_item->leftItems() != items)
        m_item->setLeftItems(items);
}

void GameBar::show(NavigationBarItem shown, BarButtonItem *strength)
{
    m_shown = shown;
    m_item->setRightItem(nullptr);
    switch (shown.kind()) {
    case NavigationBarItem::Kind::turn:
        showTurn(shown.player());
        return;
    case NavigationBarItem::Kind::timer:
        if (!m_timerLabel)
            makeTimer();
        m_item->setRightItem(m_timerItem);
        return;
    case NavigationBarItem::Kind::help:
        m_item->setRightItem(helpItem());
        return;
    case NavigationBarItem::Kind::strength:
        m_item->setRightItem(strength);
        return;
    case NavigationBarItem::Kind::none:
        return;
    }
}

void GameBar::showTurn(std::int64_t player)
{
    if (!m_turnView)
        makeTurnView();
    m_item->setRightItem(m_turnItem);
    m_turnView->showPlayer(int(player));
    m_turnView->setAccessibleName(tr("Player %1's turn").arg(player));
    // The new number fades in; the effect goes once it is done, so the
    // label paints directly again.
    QLabel *label = m_turnView->label();
    auto *effect = new QGraphicsOpacityEffect(label);
    label->setGraphicsEffect(effect);
    auto *fade = new QPropertyAnimation(effect, "opacity", label);
    fade->setDuration(300);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    connect(fade, &QAbstractAnimation::finished, label, [label, effect = QPointer(effect)] {
        if (effect && label->graphicsEffect() == effect)
            label->setGraphicsEffect(nullptr);
    });
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void GameBar::makeTimer()
{
    auto *label = new QLabel;
    label->setObjectName(QStringLiteral("timerLabel"));
    QFont font(QStringLiteral("HelveticaNeue-UltraLight"));
    if (!QFontDatabase::families().contains(font.family()))
        font = QFont();
    font.setPixelSize(14);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumSize(60, 0);
    label->setContentsMargins(0, 0, 12, 0);
    label->setAccessibleDescription(tr("Time of the game"));
    m_timerLabel = label;
    delete m_timerItem;
    m_timerItem = new BarButtonItem(label, m_owner);
    m_timerItem->setAccessibilityIdentifier(QStringLiteral("Timer"));
}

void GameBar::makeTurnView()
{
    auto *turn = new TurnView;
    turn->setObjectName(QStringLiteral("turnView"));
    m_turnView = turn;
    delete m_turnItem;
    m_turnItem = new BarButtonItem(turn, m_owner);
    m_turnItem->setAccessibilityIdentifier(QStringLiteral("Turn"));
}

HintButton *GameBar::hintButton() const
{
    return m_hintButton;
}

QLabel *GameBar::timerLabel() const
{
    return m_timerLabel;
}

TurnView *GameBar::turnView() const
{
    return m_turnView;
}

} // namespace kestrune
