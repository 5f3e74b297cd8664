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
// then a cow's ring for each cow, then empty.
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
    const QList<QBoxLayout *> &stackViews() const { return m_stackViews; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    std::unique_ptr<Ui::BulletsView> ui;
    QList<BulletView *> m_bullets;
    QList<QBoxLayout *> m_stackViews;
};

} // namespace kestrune
