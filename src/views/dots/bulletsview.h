#pragma once

#include <QList>
#include <QWidget>

#include <functional>

#include <memory>

class QBoxLayout;

namespace Ui {
class BulletsView;
}

namespace kestrune {

class BulletView;

// The four feedback dots of one shot, two over two: a bull's disc for each bull,
// then a cow's ring for each cow, then empty. To assistive technology it is
// one item (BulletsAccessible), named by its board.
class BulletsView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int transitionDurationMs = 200;

    explicit BulletsView(QWidget *parent = nullptr);
    ~BulletsView() override;

    // Shows bulls and cows (bulls + cows <= 4; more changes nothing and never
    // calls the completion). Not animated, the dots change at once and the
    // completion runs before this returns. Animated, the dots that differ
    // cross-dissolve one after another in index order, 0.2 s each, and the
    // completion runs after the last; unchanged dots cost no time. A second
    // call while one runs starts its own chain.
    void setDots(int bulls, int cows, bool animated, std::function<void()> completion = {});

    const QList<BulletView *> &bullets() const { return m_bullets; }

    // The result shown, or being animated to.
    int bulls() const { return m_bulls; }
    int cows() const { return m_cows; }

    // A result in words: "2 bulls, 1 cow", "0 bulls, 0 cows".
    static QString resultText(int bulls, int cows);
    const QList<QBoxLayout *> &stackViews() const { return m_stackViews; }

private:
    // Spacing and margins for the view's size, set as its dots are laid out.
    void adaptDots(QSize size);

    std::unique_ptr<Ui::BulletsView> ui;
    QList<BulletView *> m_bullets;
    QList<QBoxLayout *> m_stackViews;
    int m_bulls = 0;
    int m_cows = 0;
};

} // namespace kestrune
