#include "upsidedownview.h"

#include "views/widgets/accessiblesummary.h"

#include <QAccessibleWidget>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>

namespace kestrune {

namespace {

// The view as assistive technology sees it: a group holding the turned
// widget, which Qt would leave out, seeing only the scene's viewport.
class UpsideDownAccessible : public QAccessibleWidget
{
public:
    explicit UpsideDownAccessible(UpsideDownView *view)
        : QAccessibleWidget(view, QAccessible::Grouping)
    {
    }
    int childCount() const override { return content() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && content() ? QAccessible::queryAccessibleInterface(content()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && content() && child->object() == content() ? 0 : -1;
    }

private:
    QWidget *content() const { return static_cast<const UpsideDownView *>(widget())->content(); }
};

// The turned widget itself. Parentless in the scene, Qt would present it as
// a window of its own, placed by its turned top-left corner; it belongs to
// the view instead, and covers the view's area, as on the screen.
class TurnedContentAccessible : public QAccessibleWidget
{
public:
    TurnedContentAccessible(QWidget *content, UpsideDownView *view)
        : QAccessibleWidget(content)
        , m_view(view)
    {
    }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_view); }
    QWindow *window() const override { return m_view->window()->windowHandle(); }
    QRect rect() const override
    {
        const QWidget *area = m_view->viewport();
        return QRect(area->mapToGlobal(QPoint(0, 0)), area->size());
    }

private:
    UpsideDownView *m_view;
};

UpsideDownView *turningView(QWidget *widget)
{
    const QGraphicsProxyWidget *proxy = widget->graphicsProxyWidget();
    if (!proxy || proxy->widget() != widget || !proxy->scene())
        return nullptr;
    return qobject_cast<UpsideDownView *>(proxy->scene()->parent());
}

QAccessibleInterface *accessibleUpsideDown(const QString &className, QObject *object)
{
    if (className == QLatin1String(UpsideDownView::staticMetaObject.className()))
        if (auto *view = qobject_cast<UpsideDownView *>(object))
            return new UpsideDownAccessible(view);
    if (auto *widget = qobject_cast<QWidget *>(object))
        if (UpsideDownView *view = turningView(widget))
            return new TurnedContentAccessible(widget, view);
    return nullptr;
}

} // namespace

UpsideDownView::UpsideDownView(QWidget *content, QWidget *parent)
    : QGraphicsView(parent)
    , m_proxy(nullptr)
{
    static const bool accessible = (QAccessible::installFactory(accessibleUpsideDown), true);
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("UpsideDownView"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
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
    // The widget may have been read in its old place; it is read anew here.
    AccessibleSummary::forgetInterface(content);
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
    AccessibleSummary::forgetInterface(widget);
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
