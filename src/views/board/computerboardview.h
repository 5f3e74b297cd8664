#pragma once

#include "game/rx/disposable.h"

#include <QList>
#include <QWidget>

#include <memory>

class QGridLayout;
class QLabel;

namespace Ui {
class ComputerBoardView;
}

namespace kestrune {

class BoardView;
class BulletsView;
class GameProtocol;

// The computer's game, read-only, under a title such as "Computer · Hard".
// Full, it is a whole BoardView (a tablet has room beside the player's board);
// compact, it shows the latest compactRowCount shots as small rows of
// number, digits and dots (a phone), and expands to every shot, two a row,
// when clicked, or on Space or Return once tabbed to; the same again
// collapses it. Each of the computer's scored
// shots is announced: "Computer: 1 2 3 4, 2 bulls, 1 cow". The game is held
// weakly. GUI thread only.
class ComputerBoardView : public QWidget
{
    Q_OBJECT

public:
    enum class Mode { full, compact };
    // Whose move the match waits for; over once it is decided.
    enum class Status { playerTurn, thinking, over };
    static constexpr int compactRowCount = 2;
    static constexpr int expandedColumnCount = 2;

    explicit ComputerBoardView(Mode mode, QWidget *parent = nullptr);
    ~ComputerBoardView() override;

    Mode mode() const { return m_mode; }
    // Follows the game from now on; the title names the strength ("Hard").
    void setGame(const std::shared_ptr<GameProtocol> &game, const QString &strengthTitle);
    std::shared_ptr<GameProtocol> game() const { return m_game.lock(); }

    // Shown under the full board ("Your turn", "Thinking…"), in the compact
    // title while the computer thinks.
    void setStatus(Status status);
    Status status() const { return m_status; }
    QLabel *statusLabel() const;

    // Full mode: keeps the board between these margins, so that its rows line
    // up with the player's board beside it; the title sits in the top one.
    void setBoardMargins(int top, int bottom);

    QLabel *titleLabel() const;

    // Compact mode only: whether every shot shows, not just the latest.
    bool isExpanded() const { return m_expanded; }
    void setExpanded(bool expanded);
    void toggleExpanded() { setExpanded(!m_expanded); }

    // The whole board in full mode; null when compact.
    BoardView *boardView() const { return m_boardView; }
    // What the compact rows show, oldest first: "1 2 3 4" and its dots, one
    // slot per possible shot. Collapsed, the first compactRowCount slots
    // show the latest shots and the others are hidden; expanded, slot i
    // shows shot i + 1, and the slots past the last shot are hidden.
    const QList<QLabel *> &compactCodeLabels() const { return m_codeLabels; }
    const QList<BulletsView *> &compactBulletsViews() const { return m_bulletsViews; }
    const QList<QWidget *> &compactRows() const { return m_rows; }

    // A shot in words for assistive technology: "Computer: 1 2 3 4, 2 bulls, 1 cow".
    static QString shotText(const QString &code, int bulls, int cows);

signals:
    void expandedChanged(bool expanded);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildCompactRows();
    void placeRows();
    void refreshCompactRows();
    void announceLatestShot();
    void updateTexts();

    std::unique_ptr<Ui::ComputerBoardView> ui;
    Mode m_mode;
    Status m_status = Status::playerTurn;
    QString m_strengthTitle;
    BoardView *m_boardView = nullptr;
    bool m_expanded = false;
    QList<QWidget *> m_rows;
    QGridLayout *m_rowsGrid = nullptr;
    QList<QLabel *> m_numberLabels;
    QList<QLabel *> m_codeLabels;
    QList<BulletsView *> m_bulletsViews;
    std::weak_ptr<GameProtocol> m_game;
    rx::Disposable m_gameSubscription;
};

} // namespace kestrune
