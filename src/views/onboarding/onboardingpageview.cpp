#include "onboardingpageview.h"

#include "platform/resources/resources.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace kestrune {

namespace {
constexpr int minimumImageHeight = 60;

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
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    return label;
}
} // namespace

OnboardingPageView::OnboardingPageView(const OnboardingPage &page, QWidget *parent)
    : QWidget(parent)
    , m_page(page)
    , m_imageArea(new QWidget(this))
    , m_titleLabel(makeLabel(QStringLiteral("titleLabel"), page.title(), 15, true, this))
    , m_textLabel(makeLabel(QStringLiteral("textLabel"), page.text(), 11, false, this))
{
    m_imageArea->setObjectName(QStringLiteral("imageArea"));
    m_imageArea->setMinimumHeight(minimumImageHeight);
    m_imageArea->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    // The picture is decoration: the title and text say what it shows.
    m_imageArea->setAccessibleName(QString());

    auto *layout = new QVBoxLayout(this);
    // The pages slide edge to edge of the card; their content keeps clear of it.
    layout->setContentsMargins(24, 0, 24, 0);
    layout->setSpacing(0);
    layout->addWidget(m_imageArea, 1);
    layout->addSpacing(16);
    layout->addWidget(m_titleLabel);
    layout->addSpacing(8);
    layout->addWidget(m_textLabel);
}

QRectF OnboardingPageView::imageRect() const
{
    return QRectF(m_imageArea->geometry());
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
