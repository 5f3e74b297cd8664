#include "upsidedownview.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>

namespace kestrune {

UpsideDownView::UpsideDownView(QWidget *content, QWidget *parent)
    : QGraphicsView(parent)
    , m_proxy(nullptr)
{
    setObjectName(QStringLiteral("UpsideDownView"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    auto *scene = new QGraphicsScene(this);
    setScene(scene);
    content->setParent(nullptr);
    // Alone, the widget would be a window, whose layout forces its minimum
    // size on it; here it must fit the view like any child.
    content->setMinimumSize(1, 1);
    m_proxy = scene->addWidget(content);
    m_proxy->setMinimumSize(1, 1);
    setFocusProxy(content);
    fit();
}

UpsideDownView::~UpsideDownView() = default;

QWidget *UpsideDownView::content() const
{
    return m_proxy ? m_proxy->widget() : nullptr;
}

QWidget *UpsideDownView::take()
{
    QWidget *widget = content();
    if (!widget)
        return nullptr;
    setFocusProxy(nullptr);
    m_proxy->setWidget(nullptr);
    widget->setMinimumSize(0, 0);
    scene()->removeItem(m_proxy);
    delete m_proxy;
    m_proxy = nullptr;
    return widget;
}

QPointF UpsideDownView::mapToContent(const QPoint &viewPoint) const
{
    return m_proxy ? m_proxy->mapFromScene(mapToScene(viewPoint)) : QPointF(viewPoint);
}

void UpsideDownView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    fit();
}

void UpsideDownView::fit()
{
    if (!m_proxy)
        return;
    const QSizeF size = viewport()->size();
    m_proxy->setRotation(0);
    m_proxy->setPos(0, 0);
    m_proxy->resize(size);
    // Half a turn about the centre keeps the widget on the same rectangle.
    m_proxy->setTransformOriginPoint(size.width() / 2, size.height() / 2);
    m_proxy->setRotation(180);
    scene()->setSceneRect(QRectF(QPointF(0, 0), size));
}

} // namespace kestrune
