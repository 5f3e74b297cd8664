#pragma once

#include "game/rx/disposebag.h"
#include "screens/navigation/viewcontroller.h"

#include <memory>

namespace Ui {
class StartViewController;
}

namespace kestrune {

class GameServiceManager;

// The first screen until the menu exists: a quotation, the two modes and the
// service's achievements. A mode performs the segue "singleplayer" or
// "multiplayer"; preparing it tells the game screen how many play.
class StartViewController : public ViewController
{
    Q_OBJECT

public:
    // service may be null: no achievements button.
    explicit StartViewController(GameServiceManager *service, QWidget *parent = nullptr);
    ~StartViewController() override;

    void prepare(const Segue &segue) override;

private:
    void applyLook();

    std::unique_ptr<Ui::StartViewController> ui;
    GameServiceManager *m_service;
    rx::DisposeBag m_bag;
};

} // namespace kestrune
