#include "gameresultview.h"
#include "ui_gameresultview.h"

#include "platform/resources/resources.h"

#include <QPainter>

namespace kestrune {

namespace {
constexpr qreal cornerRadius = 2;
}

GameResultView::GameResultView(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::GameResultView>())
    , m_view(new QWidget(this))
{
    ui->setupUi(m_view);
    m_view->setObjectName(QStringLiteral("gameResultContent"));
    ui->topImageView->setPatternImageName(QStringLiteral("Triangle Top"));
    ui->bottomImageView->setPatternImageName(QStringLiteral("Triangle Bottom"));
    ui->shareButton->setImageName(QStringLiteral("Share"));
    ui->shareButton->setCornerRadius(22);
    connect(ui->shareButton, &QAbstractButton::clicked, this, [this] { shareButtonAction(ui->shareButton); });
    connect(ui->imageView, &QAbstractButton::clicked, this, &GameResultView::viewButtonAction);
    setShareButtonSide(ShareButtonSide::leading);
    QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

GameResultView::~GameResultView() = default;

PatternView *GameResultView::topImageView() const
{
    return ui->topImageView;
}
PatternView *GameResultView::bottomImageView() const
{
    return ui->bottomImageView;
}
ImageButton *GameResultView::imageView() const
{
    return ui->imageView;
}
Button *GameResultView::shareButton() const
{
    return ui->shareButton;
}

void GameResultView::setImage(const QImage &image)
{
    ui->imageView->setImage(image);
    updateGeometry();
}

void GameResultView::shareButtonAction(QAbstractButton *sender)
{
    if (m_shareAction)
        m_shareAction(sender);
}

void GameResultView::viewButtonAction()
{
    if (m_viewAction)
        m_viewAction();
}

void GameResultView::setShareButtonSide(ShareButtonSide side)
{
    m_side = side;
    ui->shareRow->setAlignment(ui->shareButton, side == ShareButtonSide::leading
                                                    ? Qt::AlignLeading | Qt::AlignVCenter
                                                    : Qt::AlignTrailing | Qt::AlignVCenter);
    ui->shareRow->activate();
}

int GameResultView::heightForWidth(int width) const
{
    const int inner = width - 2 * shadowMargin;
    const QMargins image = ui->imageLayout->contentsMargins();
    return shadowMargin + ui->topImageView->maximumHeight() + image.top()
           + ui->imageView->heightForWidth(inner - image.left() - image.right()) + image.bottom()
           + ui->bottomImageView->maximumHeight() + shareRowHeight;
}

void GameResultView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view->setGeometry(rect().adjusted(shadowMargin, shadowMargin, -shadowMargin, 0));
    QRectF body = QRectF(m_view->geometry());
    body.setHeight(qMax<qreal>(0, body.height() - shareRowHeight));
    m_shadowPath = QPainterPath();
    m_shadowPath.addRoundedRect(body, cornerRadius, cornerRadius);
}

void GameResultView::paintEvent(QPaintEvent *)
{
    if (m_shadowPath.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A shadow of the label colour at 0.2, moved down a point, softened over
    // three points by stacking wider, fainter layers.
    QColor shadow = Resources::color(QStringLiteral("label"));
    const QRectF body = m_shadowPath.boundingRect().translated(0, 1);
    for (int spread = 3; spread >= 0; --spread) {
        shadow.setAlphaF(0.2f / 4);
        QPainterPath layer;
        const qreal r = cornerRadius + spread;
        layer.addRoundedRect(body.adjusted(-spread, -spread, spread, spread), r, r);
        painter.fillPath(layer, shadow);
    }
    painter.fillPath(m_shadowPath, Resources::color(QStringLiteral("dialogBackground")));
}

} // namespace kestrune
