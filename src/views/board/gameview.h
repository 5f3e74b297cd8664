#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class GameView;
}

namespace kestrune {

class BoardView;
class GameProtocol;
class KeyboardView;

// A player's board over their keypad; the keypad's delegate is the board.
// Its spacings follow the device: 10 points around the board on small
// screens; on a tablet 36 and a 162-point keypad in landscape, 94 and 220
// upright.
class GameView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int smallScreenSpacing = 10;

    explicit GameView(QWidget *parent = nullptr);
    ~GameView() override;

    BoardView *boardView() const;
    KeyboardView *keyboardView() const;

    // Shows the game on the board with an empty keypad: switched off for an
    // ended game, otherwise ready for the first digit.
    void configure(const std::shared_ptr<GameProtocol> &game);

    // The board's vertical spacing and the keypad's height now in force.
    int boardViewVerticalSpacing() const;
    int keyboardHeight() const;
    // Applies the device's spacings; runs as the view is laid out.
    void layoutSubviews();

private:
    void setBoardViewVerticalSpacing(int spacing);
    void setKeyboardHeight(int height);

    std::unique_ptr<Ui::GameView> ui;
};

} // namespace kestrune
