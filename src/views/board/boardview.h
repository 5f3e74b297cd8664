#pragma once

#include "views/keyboard/keyboardviewdelegate.h"

#include "game/code/result.h"
#include "game/rx/disposable.h"

#include <QList>
#include <QWidget>

#include <memory>

class QBoxLayout;

namespace Ui {
class BoardView;
}

namespace kestrune {

class AutoFontSizeLabel;
class AutoFontSizeOutlineLabel;
class BulletsView;
class GameProtocol;

// One player's game as ten rows: the row number, the shot (or the digits
// being typed, or "••••") and its four dots. It follows exactly one game's
// results at a time and is its keypad's delegate. The game is held weakly:
// its player owns it. GUI thread only.
//
// Assistive technology reads it as a list of ten rows (BoardAccessible),
// each row one item named by rowText(); a scored shot is announced on its row.
class BoardView : public QWidget, public KeyboardViewDelegate
{
    Q_OBJECT

public:
    static constexpr int rowCount = 10;
    static constexpr int rampSize = 21;

    explicit BoardView(QWidget *parent = nullptr);
    ~BoardView() override;

    // Colour i (0 to 20) of the row numbers' ramp, from light to deeper blue.
    static QColor rampColor(int i);

    // Shows the game's recorded shots at once, clears the other rows, and
    // from now on animates each new result into the next row. Replaces the
    // game shown before and its subscription.
    void setGame(const std::shared_ptr<GameProtocol> &game);
    std::shared_ptr<GameProtocol> game() const override;
    // Shows the text in row `row`; ignored once every row is used.
    void codeDidChange(const QString &text) override;

    // What assistive technology reads for row `index` (0 to 9): "Shot 3: 1 2 3 4,
    // 2 bulls, 1 cow", "Shot 4, typing: 1 2" or "Shot 5: empty".
    QString rowText(int index) const;
    // The digits of a code one by one, as a screen reader should say them:
    // "1 2 3 4". Anything but digits is left out.
    static QString spokenDigits(const QString &code);
    // Says the text to assistive technology: it becomes the board's
    // description and an alert goes out on the board. For news that has no
    // row of its own, such as whose turn it is.
    void announce(const QString &text);

    // The next row to fill: the number of shots shown.
    qint64 row() const { return m_row; }

    const QList<AutoFontSizeLabel *> &codeLabels() const { return m_codeLabels; }
    const QList<BulletsView *> &bulletsViews() const { return m_bulletsViews; }
    QBoxLayout *numbersStackView() const;
    QBoxLayout *codesStackView() const;
    QBoxLayout *bulletsStackView() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Row spacing and margins for the board's size, set as its rows are laid out.
    void adaptRows(QSize size);
    void showResult(const Result &result);
    void updateRowColors();
    void updateRowName(int index);
    bool isTyping() const;

    std::unique_ptr<Ui::BoardView> ui;
    QList<AutoFontSizeOutlineLabel *> m_numberLabels;
    QList<AutoFontSizeLabel *> m_codeLabels;
    QList<BulletsView *> m_bulletsViews;
    std::weak_ptr<GameProtocol> m_game;
    rx::Disposable m_gameSubscription;
    qint64 m_row = 0;
};

} // namespace kestrune
