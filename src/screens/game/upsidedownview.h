#pragma once

#include <QGraphicsView>

class QGraphicsProxyWidget;

namespace kestrune {

// Shows one widget turned half a turn, and still live: taps, clicks and keys
// reach the widget where it is drawn, because the scene maps them back
// through the turn. The widget is taken over while shown here and handed
// back, parentless, by take().
class UpsideDownView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit UpsideDownView(QWidget *content, QWidget *parent = nullptr);
    ~UpsideDownView() override;

    QWidget *content() const;
    // Gives the widget back, no longer turned; the view is empty afterwards.
    QWidget *take();

    // Maps a point of the view to the content's own coordinates.
    QPointF mapToContent(const QPoint &viewPoint) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QGraphicsProxyWidget *m_proxy;
};

} // namespace kestrune
