#include "onboarding.h"
#include "ui_onboarding.h"

#include "onboardingbutton.h"
#include "onboardingpageview.h"
#include "pageindicator.h"

#include "views/widgets/overlaystack.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

namespace kestrune {

namespace {
constexpr qreal cornerRadius = 20;
constexpr int dimAlpha = 102; // 40 % black over the host
// Beyond the first and the last page a drag moves the pages only a third as
// far, so the edge is felt rather than crossed.
constexpr qreal edgeResistance = 3;

// An all-capitals title is a look; a screen reader should say the word.
QString spokenTitle(const QString &title)
{
    if (title.isEmpty() || title != title.toUpper())
        return title;
    return title.left(1) + title.mid(1).toLower();
}

bool validRatio(qreal ratio)
{
    return ratio > 0 && ratio <= 1;
}
} // namespace

Onboarding::Onboarding(const QList<OnboardingPage> &pages, QWidget *parent)
    : QWidget(parent)
    , m_backgroundColor(palette().color(QPalette::Window))
    , m_tintColor(palette().color(QPalette::Highlight))
    , m_buttonTitleColor(palette().color(QPalette::HighlightedText))
    , m_currentPageIndicatorColor(palette().color(QPalette::Highlight))
    , m_textColor(palette().color(QPalette::WindowText))
    , m_closeButtonTitle(tr("Done"))
    , ui(std::make_unique<Ui::Onboarding>())
    , m_pages(pages)
    , m_turn(new QVariantAnimation(this))
{
    ui->setupUi(this);
    setAccessibleName(tr("Onboarding"));
    setFocusPolicy(Qt::StrongFocus);
    // Hidden until open(): a child widget would otherwise show with its host.
    hide();
    if (m_pages.isEmpty())
        qWarning("onboarding.cpp: an onboarding card without pages shows only its closing button");

    ui->pageIndicator->setCount(pageCount());
    ui->pageIndicator->setCurrentColor(m_currentPageIndicatorColor);
    ui->pageIndicator->setVisible(pageCount() > 1);
    for (int i = 0; i < pageCount(); ++i) {
        auto *view = new OnboardingPageView(m_pages[i], ui->pager);
        view->setObjectName(QStringLiteral("page%1").arg(i + 1));
        // Drags go to the card, wherever they start on a page.
        view->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_pageViews.append(view);
    }
    applyTextColors();
    ui->nextButton->setTintColor(m_tintColor);
    ui->nextButton->setTitleColor(m_buttonTitleColor);
    updateButton();

    m_turn->setDuration(turnDurationMs);
    m_turn->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_turn, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { setPosition(value.toReal()); });
    connect(ui->nextButton, &QAbstractButton::clicked, this, &Onboarding::buttonClicked);
    ui->pager->installEventFilter(this);
    if (parent)
        parent->installEventFilter(this);
    setPosition(0);
}

Onboarding::~Onboarding() = default;

void Onboarding::setBackgroundColor(const QColor &color)
{
    m_backgroundColor = color;
    update();
}

void Onboarding::setTintColor(const QColor &color)
{
    m_tintColor = color;
    ui->nextButton->setTintColor(color);
}

void Onboarding::setButtonTitleColor(const QColor &color)
{
    m_buttonTitleColor = color;
    ui->nextButton->setTitleColor(color);
}

void Onboarding::setCurrentPageIndicatorColor(const QColor &color)
{
    m_currentPageIndicatorColor = color;
    ui->pageIndicator->setCurrentColor(color);
}

void Onboarding::setTextColor(const QColor &color)
{
    m_textColor = color;
    applyTextColors();
}

void Onboarding::setCloseButtonTitle(const QString &title)
{
    m_closeButtonTitle = title;
    updateButton();
}

void Onboarding::setWidthRatio(qreal ratio)
{
    if (!validRatio(ratio)) {
        qWarning("onboarding.cpp: width ratio %g is not within (0, 1]; keeping %g", ratio, m_widthRatio);
        return;
    }
    m_widthRatio = ratio;
    placeCard();
}

void Onboarding::setHeightRatio(qreal ratio)
{
    if (!validRatio(ratio)) {
        qWarning("onboarding.cpp: height ratio %g is not within (0, 1]; keeping %g", ratio, m_heightRatio);
        return;
    }
    m_heightRatio = ratio;
    placeCard();
}

void Onboarding::setTitleColor(const QColor &color)
{
    m_titleColor = color;
    applyTextColors();
}

void Onboarding::goToPage(int page, bool animated)
{
    if (page < 0 || page >= pageCount()) {
        qWarning("onboarding.cpp: page %d does not exist (the card has %d pages)", page, pageCount());
        return;
    }
    slideTo(page, animated);
}

void Onboarding::open()
{
    show();
}

QRect Onboarding::cardRect() const
{
    return ui->card->geometry();
}

OnboardingButton *Onboarding::button() const
{
    return ui->nextButton;
}

PageIndicator *Onboarding::pageIndicator() const
{
    return ui->pageIndicator;
}

OnboardingPageView *Onboarding::pageView(int page) const
{
    return m_pageViews.value(page);
}

void Onboarding::buttonClicked()
{
    if (m_current + 1 < pageCount())
        slideTo(m_current + 1, true);
    else
        close();
}

void Onboarding::setCurrent(int page)
{
    if (page == m_current)
        return;
    m_current = page;
    ui->pageIndicator->setCurrentPage(page);
    updateButton();
    emit currentPageChanged(page);
    // A screen reader reads the new page from its title.
    if (isVisible()) {
        QAccessibleEvent event(m_pageViews[page]->titleLabel(), QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void Onboarding::slideTo(int page, bool animated)
{
    setCurrent(page);
    m_turn->stop();
    if (!animated || qFuzzyCompare(m_position + 1, qreal(page + 1))) {
        setPosition(page);
        return;
    }
    m_turn->setStartValue(m_position);
    m_turn->setEndValue(qreal(page));
    m_turn->start();
}

void Onboarding::setPosition(qreal position)
{
    m_position = position;
    placePages();
}

void Onboarding::placeCard()
{
    const QSize size(qRound(width() * m_widthRatio), qRound(height() * m_heightRatio));
    QRect card(QPoint(0, 0), size);
    card.moveCenter(rect().center());
    ui->card->setGeometry(card);
    update();
}

void Onboarding::placePages()
{
    const int width = ui->pager->width();
    const int height = ui->pager->height();
    for (int i = 0; i < m_pageViews.size(); ++i) {
        const qreal offset = i - m_position;
        m_pageViews[i]->setGeometry(qRound(offset * width), 0, width, height);
        // Only pages that show are in the accessibility tree and get painted.
        m_pageViews[i]->setVisible(std::abs(offset) < 1.0);
    }
}

void Onboarding::updateButton()
{
    const bool last = m_current + 1 >= pageCount();
    const QString title = last ? m_closeButtonTitle : tr("Next");
    ui->nextButton->setText(title);
    ui->nextButton->setAccessibleName(spokenTitle(title));
    ui->nextButton->setAccessibleDescription(last ? tr("Closes the tutorial") : tr("Shows the next page"));
}

void Onboarding::applyTextColors()
{
    const QColor title = m_titleColor.isValid() ? m_titleColor : m_textColor;
    for (OnboardingPageView *view : std::as_const(m_pageViews)) {
        view->setTitleColor(title);
        view->setTextColor(m_textColor);
    }
}

bool Onboarding::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == parentWidget())
            setGeometry(parentWidget()->rect());
        else if (watched == ui->pager)
            placePages();
    }
    return QWidget::eventFilter(watched, event);
}

bool Onboarding::focusNextPrevChild(bool)
{
    // The card is modal: Tab must not wander to the host underneath.
    return true;
}

void Onboarding::closeEvent(QCloseEvent *event)
{
    m_turn->stop();
    m_dragging = false;
    const bool wasOpen = isVisible();
    QWidget::closeEvent(event);
    if (!wasOpen)
        return;
    // Keys go back to where they went before the card took them.
    if (m_focusBefore && m_focusBefore->isVisible())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    emit finished();
}

void Onboarding::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        if (m_current + 1 < pageCount())
            slideTo(m_current + 1, true);
        break;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        if (m_current > 0)
            slideTo(m_current - 1, true);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ui->nextButton->click();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Onboarding::mousePressEvent(QMouseEvent *event)
{
    // Presses outside the card are swallowed: the host is not reachable.
    event->accept();
    if (event->button() != Qt::LeftButton || !cardRect().contains(event->position().toPoint()) || pageCount() == 0)
        return;
    m_turn->stop();
    m_dragging = true;
    m_dragStartX = event->position().x();
    m_dragStartPosition = m_position;
}

void Onboarding::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    const qreal width = ui->pager->width();
    if (!m_dragging || width <= 0)
        return;
    qreal position = m_dragStartPosition - (event->position().x() - m_dragStartX) / width;
    const qreal last = pageCount() - 1;
    if (position < 0)
        position /= edgeResistance;
    else if (position > last)
        position = last + (position - last) / edgeResistance;
    setPosition(position);
}

void Onboarding::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    const qreal distance = event->position().x() - m_dragStartX;
    int page = m_current;
    if (distance <= -swipeThreshold)
        page = m_current + 1;
    else if (distance >= swipeThreshold)
        page = m_current - 1;
    // A short drag, or one past either end, springs back.
    slideTo(std::clamp(page, 0, pageCount() - 1), true);
}

void Onboarding::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0, 0, 0, dimAlpha));

    const QRectF card(cardRect());
    // A soft shadow: a few widening, fainter rounds under the card.
    painter.setPen(Qt::NoPen);
    for (int i = 1; i <= 6; ++i) {
        QPainterPath shadow;
        const QRectF spread = card.adjusted(-i, -i + 2, i, i + 2);
        shadow.addRoundedRect(spread, cornerRadius + i, cornerRadius + i);
        painter.fillPath(shadow, QColor(0, 0, 0, 7));
    }
    QPainterPath shape;
    shape.addRoundedRect(card, cornerRadius, cornerRadius);
    painter.fillPath(shape, m_backgroundColor);
}

void Onboarding::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeCard();
}

void Onboarding::showEvent(QShowEvent *event)
{
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    placeCard();
    raise();
    QWidget *focus = QApplication::focusWidget();
    if (focus != this && !isAncestorOf(focus))
        m_focusBefore = focus;
    setFocus(Qt::ActiveWindowFocusReason);
    QWidget::showEvent(event);
    // Nothing behind the card takes keys or clicks while it shows.
    OverlayStack::instance().push(this);
}

} // namespace kestrune
