#pragma once

#include "navigationbaritem.h"

#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

namespace kestrune {

class BarButtonItem;
class HintButton;
class NavigationItem;
class TurnView;

// The game screen's items in the navigation bar. On the left: close, the
// hint bulb of a single-player match, face-to-face play where a tablet
// offers it, and help whenever it is not the right item. On the right one
// of: the match clock, whose turn it is, help, the computer's strength, or
// nothing. Each item is made when first shown and kept. GUI thread only.
class GameBar : public QObject
{
    Q_OBJECT

public:
    // The items are children of `owner` and shown through `item`.
    GameBar(NavigationItem *item, QWidget *owner);
    ~GameBar() override;

    NavigationBarItem shown() const { return m_shown; }
    // Shows `shown` on the right; `strength` is the item of that kind.
    void show(NavigationBarItem shown, BarButtonItem *strength);
    // The left items for a match of one player or more, with face-to-face
    // play offered or not.
    void configureLeftItems(bool singlePlayer, bool offerFaceToFace);

    BarButtonItem *closeItem() const { return m_closeItem; }
    BarButtonItem *simultaneousItem() const { return m_simultaneousItem; }
    BarButtonItem *helpItem();
    // Made with the first single-player match's items.
    HintButton *hintButton() const;
    QLabel *timerLabel() const;
    TurnView *turnView() const;

signals:
    void closeTriggered();
    void helpTriggered();
    void hintClicked();
    void simultaneousTriggered();

private:
    void showTurn(std::int64_t player);
    void makeTimer();
    void makeTurnView();

    NavigationItem *m_item;
    QWidget *m_owner;
    NavigationBarItem m_shown = NavigationBarItem::none();
    BarButtonItem *m_closeItem = nullptr;
    BarButtonItem *m_simultaneousItem = nullptr;
    QPointer<BarButtonItem> m_helpItem;
    QPointer<HintButton> m_hintButton;
    QPointer<BarButtonItem> m_hintItem;
    QPointer<QLabel> m_timerLabel;
    QPointer<BarButtonItem> m_timerItem;
    QPointer<TurnView> m_turnView;
    QPointer<BarButtonItem> m_turnItem;
};

} // namespace kestrune
