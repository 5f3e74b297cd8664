#include "gameview.h"
#include "ui_gameview.h"

#include "boardview.h"
#include "game/gameprotocol.h"
#include "platform/device/deviceprofile.h"
#include "platform/device/screensize.h"
#include "views/keyboard/keyboardview.h"
#include "views/widgets/adaptivelayout.h"

namespace kestrune {

GameView::GameView(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::GameView>())
{
    ui->setupUi(this);
    ui->keyboardView->setDelegate(ui->boardView);
    ui->stack->setAdapter([this](const QRect &) { layoutSubviews(); });
}

GameView::~GameView() = default;

BoardView *GameView::boardView() const
{
    return ui->boardView;
}

KeyboardView *GameView::keyboardView() const
{
    return ui->keyboardView;
}

void GameView::configure(const std::shared_ptr<GameProtocol> &game)
{
    ui->boardView->setGame(game);
    ui->keyboardView->setCode(QString());
    if (!game || game->isEnded())
        ui->keyboardView->setButtonsEnabled(false);
    else
        ui->keyboardView->updateButtons(true);
}

int GameView::boardViewVerticalSpacing() const
{
    return ui->stack->spacing();
}

int GameView::keyboardHeight() const
{
    return ui->keyboardView->maximumHeight();
}

void GameView::setBoardViewVerticalSpacing(int spacing)
{
    // The same space above the board and between it and the keypad.
    adaptSpacing(ui->stack, spacing);
    QMargins margins = ui->stack->contentsMargins();
    margins.setTop(spacing);
    ui->stack->setContentsMargins(margins);
}

void GameView::setKeyboardHeight(int height)
{
    ui->keyboardView->setFixedHeight(height);
}

void GameView::layoutSubviews()
{
    const DeviceProfile &device = DeviceProfile::current();
    if (device.isTablet()) {
        setBoardViewVerticalSpacing(device.isLandscape() ? 36 : 94);
        setKeyboardHeight(device.isLandscape() ? 162 : 220);
    } else if (currentScreenSize() < ScreenSize::large) {
        setBoardViewVerticalSpacing(smallScreenSpacing);
    }
}

} // namespace kestrune
