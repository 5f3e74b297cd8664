#include "playwindow.h"
#include "ui_playwindow.h"

#include "game/gameprotocol.h"
#include "game/quotationshelper.h"
#include "gameservice/gameservicemanager.h"
#include "platform/resources/resources.h"
#include "views/board/boardview.h"
#include "views/keyboard/keyboardview.h"

#include <QAccessible>

namespace kestrune {

PlayWindow::PlayWindow(GameEnvironment environment, GameServiceManager *service, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::PlayWindow>())
    , m_environment(std::move(environment))
    , m_service(service)
{
    ui->setupUi(this);
    applyLook();

    const auto quotation = QuotationsHelper::randomQuotation();
    ui->quotationLabel->setText(QString::fromStdString(quotation.text));
    ui->authorLabel->setText(QString::fromStdString(quotation.author));

    ui->achievementsButton->setVisible(m_service != nullptr);
    connect(ui->achievementsButton, &QPushButton::clicked, this, [this] {
        // The service only looks for a player when asked; asking here lets it
        // hand over its sign-in screen (shown over the achievements) when
        // nobody is signed in yet.
        m_service->checkGameServiceAvailability(false);
        m_service->presentAchievementsOnViewController(this);
    });
    connect(ui->newGameButton, &QPushButton::clicked, this, &PlayWindow::newGame);
    newGame();
}

PlayWindow::~PlayWindow() = default;

void PlayWindow::applyLook()
{
    QFont quotationFont = font();
    quotationFont.setItalic(true);
    quotationFont.setPixelSize(15);
    ui->quotationLabel->setFont(quotationFont);
    QFont small = font();
    small.setPixelSize(13);
    ui->authorLabel->setFont(small);
    ui->statusLabel->setFont(small);

    QPalette quotation = ui->quotationLabel->palette();
    quotation.setColor(QPalette::WindowText, Resources::color(QStringLiteral("accent")));
    ui->quotationLabel->setPalette(quotation);
    QPalette secondary = ui->authorLabel->palette();
    secondary.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    ui->authorLabel->setPalette(secondary);

    for (Button *button : {ui->newGameButton, ui->achievementsButton}) {
        button->setBackgroundColorNames(QStringLiteral("accent"), QStringLiteral("placeholder"));
        button->setTitleColor(Qt::white);
        button->setCornerRadius(18);
    }
    ui->achievementsButton->setImageName(QStringLiteral("Win"));
    ui->achievementsButton->setBackgroundColorNames(QStringLiteral("secondarySystemBackground"), QString());

    setAutoFillBackground(true);
    QPalette window = palette();
    window.setColor(QPalette::Window, Resources::color(QStringLiteral("systemBackground")));
    setPalette(window);
}

void PlayWindow::newGame()
{
    // The old match's subscriptions end before the match itself goes.
    m_matchBag = std::make_unique<rx::DisposeBag>();
    m_match = GameManager::create(1, m_environment);

    ui->gameView->configure(m_match->currentGame());
    m_match->gameStateSubject()
        .asObservable()
        .subscribe([this](const GameState &state) { showState(state); })
        .disposed(*m_matchBag);
    showState(m_match->gameState());
    ui->gameView->keyboardView()->setFocus();
}

void PlayWindow::showState(const GameState &state)
{
    const auto &game = m_match->currentGame();
    switch (state.kind()) {
    case GameState::Kind::pending: {
        const auto shots = int(game->shots().size());
        ui->statusLabel->setText(shots == 0 ? tr("Four different digits, 1 to 9. Ten shots to break the code.")
                                           : tr("Shot %1 of 10").arg(shots + 1));
        return;
    }
    case GameState::Kind::won:
        ui->statusLabel->setText(game->shots().size() == 1
                                    ? tr("Broken with the first shot: %1 points").arg(game->points().value_or(0))
                                    : tr("Broken in %1 shots: %2 points")
                                          .arg(game->shots().size())
                                          .arg(game->points().value_or(0)));
        break;
    case GameState::Kind::tie:
    case GameState::Kind::lost:
        ui->statusLabel->setText(tr("Out of shots. The code was %1.")
                                    .arg(QString::fromStdString(state.codes().empty() ? std::string() : state.codes().front())));
        break;
    }
    ui->gameView->keyboardView()->setButtonsEnabled(false);
    ui->newGameButton->setFocus();
    // The outcome is news: read it without waiting for the player to look.
    QAccessibleEvent outcome(ui->statusLabel, QAccessible::Alert);
    QAccessible::updateAccessibility(&outcome);
}

QString PlayWindow::statusText() const
{
    return ui->statusLabel->text();
}

} // namespace kestrune
