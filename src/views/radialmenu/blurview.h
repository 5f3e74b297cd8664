#pragma once

#include <QImage>
#include <QWidget>

namespace kestrune {

// A frosted, light copy of what its parent shows, laid over the parent at
// an opacity. The parent is captured and blurred once, when the view is
// made; afterwards it only paints that picture (scaled when it is resized).
// GUI thread only.
class BlurView : public QWidget
{
    Q_OBJECT

public:
    // parent: the widget to blur, which the view covers; alpha in [0, 1].
    explicit BlurView(QWidget *parent, qreal alpha);

    qreal alpha() const { return m_alpha; }
    const QImage &blurredImage() const { return m_image; }

    // A box blur, applied three times, which comes close to a Gaussian one.
    // radius >= 0 in pixels of the image.
    static QImage blurred(const QImage &image, int radius);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    qreal m_alpha;
    bool m_dark = false;
};

} // namespace kestrune
