#include "bulletsview.h"
#include "ui_bulletsview.h"

#include "bulletsaccessible.h"
#include "bulletview.h"

#include "views/widgets/adaptivelayout.h"

#include <QPointer>

#include <array>
#include <memory>

namespace kestrune {

BulletsView::BulletsView(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::BulletsView>())
{
    static const bool accessible = (BulletsAccessible::install(), true);
    Q_UNUSED(accessible);
    ui->setupUi(this);
    // Rows share their column evenly, whatever the dots would like.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_bullets = {ui->bullet0, ui->bullet1, ui->bullet2, ui->bullet3};
    m_stackViews = {ui->columnStack, ui->topStack, ui->bottomStack};
    ui->columnStack->setAdapter([this](const QRect &rect) { adaptDots(rect.size()); });
}

BulletsView::~BulletsView() = default;

QString BulletsView::resultText(int bulls, int cows)
{
    //: Digits in the right place
    const QString bullText = tr("%n bulls", "", bulls);
    //: Digits in the code but in the wrong place
    const QString cowText = tr("%n cows", "", cows);
    //: A shot's result: bulls, then cows
    return tr("%1, %2").arg(bullText, cowText);
}

void BulletsView::setDots(int bulls, int cows, bool animated, std::function<void()> completion)
{
    if (bulls < 0 || cows < 0 || bulls + cows > 4)
        return;
    m_bulls = bulls;
    m_cows = cows;
    auto targets = std::make_shared<std::array<DotState, 4>>();
    for (int i = 0; i < 4; ++i)
        (*targets)[i] = i < bulls ? DotState::bull : i < bulls + cows ? DotState::cow : DotState::empty;

    if (!animated) {
        for (int i = 0; i < m_bullets.size() && i < 4; ++i)
            m_bullets[i]->setState((*targets)[i]);
        if (completion)
            completion();
        return;
    }

    // Each step goes on from the dot's own completion, so the dots change in
    // order; a step whose dot already shows its target passes on at once. The
    // pending dot holds the chain, which goes when the chain ends.
    QPointer<BulletsView> self(this);
    auto step = std::make_shared<std::function<void(int)>>();
    std::weak_ptr<std::function<void(int)>> weakStep = step;
    *step = [self, targets, weakStep, completion = std::move(completion)](int index) {
        if (!self)
            return;
        for (; index < 4; ++index) {
            BulletView *dot = index < self->m_bullets.size() ? self->m_bullets[index] : nullptr;
            if (!dot || dot->state() == (*targets)[index])
                continue;
            dot->transition((*targets)[index], transitionDurationMs,
                            [next = weakStep.lock(), index] { (*next)(index + 1); });
            return;
        }
        if (completion)
            completion();
    };
    (*step)(0);
}

void BulletsView::adaptDots(QSize size)
{
    const int spacing = qRound(size.height() / 9.0);
    for (QBoxLayout *stack : std::as_const(m_stackViews))
        adaptSpacing(stack, spacing);
    // The dots keep to a centred square, however wide the row.
    // An even share for each dot, so that the two columns match to the pixel.
    int side = std::min(size.width(), size.height());
    side -= (side - spacing) % 2;
    const int dx = (size.width() - side) / 2;
    const int dy = (size.height() - side) / 2;
    ui->columnStack->setContentsMargins(dx, dy, size.width() - side - dx, size.height() - side - dy);
}

} // namespace kestrune
