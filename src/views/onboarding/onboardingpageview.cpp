#include "onboardingpageview.h"

#include "platform/resources/resources.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace kestrune {

namespace {
constexpr int sideMargin = 24;
constexpr int imageSpacing = 16;
constexpr int titleSpacing = 8;

void setLabelColor(QLabel *label, const QColor &color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

QLabel *makeLabel(const QString &name, const QString &text, int pointSize, bool bold, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}
} // namespace

OnboardingPageView::OnboardingPageView(const OnboardingPage &page, QWidget *parent)
    : QWidget(parent)
    , m_page(page)
    , m_titleLabel(makeLabel(QStringLiteral("titleLabel"), page.title(), 15, true, this))
    , m_textLabel(makeLabel(QStringLiteral("textLabel"), page.text(), 11, false, this))
{
}

void OnboardingPageView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The words always fit in full; the picture gets its natural shape at the
    // page's width, or what room the words leave, and the whole stands centred.
    const int width = std::max(0, this->width() - 2 * sideMargin);
    const int titleHeight = m_titleLabel->heightForWidth(width);
    const int textHeight = m_textLabel->heightForWidth(width);
    const int words = titleHeight + titleSpacing + textHeight;
    const QSizeF natural = Resources::imageSize(m_page.image());
    const int fitted = natural.width() > 0 ? qRound(width * natural.height() / natural.width()) : 0;
    const int imageHeight = std::clamp(height() - words - imageSpacing, 0, fitted);
    int y = std::max(0, (height() - imageHeight - imageSpacing - words) / 2);
    m_imageRect = QRect(sideMargin, y, width, imageHeight);
    y += imageHeight + imageSpacing;
    m_titleLabel->setGeometry(sideMargin, y, width, titleHeight);
    y += titleHeight + titleSpacing;
    m_textLabel->setGeometry(sideMargin, y, width, textHeight);
}

QRectF OnboardingPageView::imageRect() const
{
    return QRectF(m_imageRect);
}

void OnboardingPageView::setTitleColor(const QColor &color)
{
    setLabelColor(m_titleLabel, color);
}

void OnboardingPageView::setTextColor(const QColor &color)
{
    setLabelColor(m_textLabel, color);
}

void OnboardingPageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Resources::paint(painter, m_page.image(), imageRect());
}

} // namespace kestrune
