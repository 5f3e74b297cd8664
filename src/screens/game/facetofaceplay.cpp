#include "facetofaceplay.h"

#include "upsidedownview.h"

#include "game/gameprotocol.h"
#include "views/board/gameview.h"
#include "views/keyboard/keyboardview.h"
#include "views/widgets/button.h"

#include <QBoxLayout>
#include <QTimer>

#include <algorithm>

namespace kestrune {

namespace {

// What leaves the table is taken apart in an event of its own: a board with
// its keypad takes about a millisecond to destroy, and the event that ends
// the match has the result to push and the window to turn.
template<typename Widget>
void retire(QPointer<Widget> &widget, QBoxLayout *stack)
{
    if (Widget *leaving = widget.data()) {
        widget.clear();
        stack->removeWidget(leaving);
        leaving->hide();
        leaving->deleteLater();
    }
}

} // namespace

FaceToFacePlay::FaceToFacePlay(GameView *firstView, QBoxLayout *stack, QWidget *container, QWidget *screen)
    : QObject(screen)
    , m_firstView(firstView)
    , m_stack(stack)
    , m_container(container)
    , m_screen(screen)
{
}

FaceToFacePlay::~FaceToFacePlay() = default;

void FaceToFacePlay::seat(const std::vector<std::shared_ptr<GameProtocol>> &games)
{
    if (m_secondView || games.size() < 2)
        return;
    returnFirstView();
    // Player 1 sits across the table: their board turns, and stays live.
    m_stack->removeWidget(m_firstView);
    m_upsideDown = new UpsideDownView(m_firstView, m_container);
    m_upsideDown->setAccessibleName(tr("Player 1's side, upside down"));
    m_stack->insertWidget(0, m_upsideDown, 1);
    m_secondView = new GameView(m_container);
    m_secondView->setObjectName(QStringLiteral("secondGameView"));
    m_secondView->keyboardView()->installEventFilter(m_screen);
    m_stack->addWidget(m_secondView, 1);
    m_stack->setSpacing(1);

    m_closeButton = makeRoundButton(QStringLiteral("Close Game"), QStringLiteral("Close"), tr("Close"));
    connect(m_closeButton, &QPushButton::clicked, this, &FaceToFacePlay::closeRequested);
    m_singleButton = makeRoundButton(QStringLiteral("Single"), QStringLiteral("Single"), tr("One board"));
    connect(m_singleButton, &QPushButton::clicked, this, &FaceToFacePlay::oneBoardRequested);
    placeRoundButtons();

    m_firstView->configure(games[0]);
    m_secondView->configure(games[1]);
}

std::shared_ptr<GameProtocol> FaceToFacePlay::unseat(const std::vector<std::shared_ptr<GameProtocol>> &games,
                                                     Return when)
{
    retire(m_secondView, m_stack);
    auto sorted = games;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto &a, const auto &b) { return a->shots().size() < b->shots().size(); });
    const std::shared_ptr<GameProtocol> game = sorted.empty() ? nullptr : sorted.front();
    if (m_upsideDown) {
        m_leaving = m_upsideDown;
        m_upsideDown.clear();
        m_stack->removeWidget(m_leaving);
        m_leaving->hide();
        if (when == Return::now)
            returnFirstView();
        else
            QTimer::singleShot(0, this, &FaceToFacePlay::returnFirstView);
    }
    m_firstView->configure(game);
    m_stack->setSpacing(0);
    retire(m_closeButton, m_stack);
    retire(m_singleButton, m_stack);
    return game;
}

void FaceToFacePlay::returnFirstView()
{
    if (!m_leaving)
        return;
    QWidget *view = m_leaving->take();
    retire(m_leaving, m_stack);
    view->setParent(m_container);
    m_stack->insertWidget(0, view, 1);
    view->show();
}

Button *FaceToFacePlay::makeRoundButton(const QString &image, const QString &identifier, const QString &name)
{
    auto *button = new Button(m_screen);
    button->setObjectName(identifier);
    button->setAccessibleName(name);
    button->setImageName(image);
    button->setBackgroundColorNames(QStringLiteral("background"), QStringLiteral("background"));
    button->setCornerRadius(roundButtonSide / 2.0);
    button->setFixedSize(roundButtonSide, roundButtonSide);
    // The picture sits 11 points inside the circle on every side.
    button->setIconSize(QSize(roundButtonSide - 22, roundButtonSide - 22));
    button->show();
    button->raise();
    return button;
}

void FaceToFacePlay::placeRoundButtons()
{
    const QPoint centre = m_screen->rect().center();
    const int half = roundButtonSide / 2;
    if (m_closeButton)
        m_closeButton->move(centre.x() - half + 1, centre.y() + roundButtonOffset - half);
    if (m_singleButton)
        m_singleButton->move(centre.x() - half + 1, centre.y() - roundButtonOffset - half);
}

GameView *FaceToFacePlay::secondView() const
{
    return m_secondView;
}

Button *FaceToFacePlay::closeButton() const
{
    return m_closeButton;
}

Button *FaceToFacePlay::singleButton() const
{
    return m_singleButton;
}

} // namespace kestrune
