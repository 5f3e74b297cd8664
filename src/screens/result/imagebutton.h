#pragma once

#include <QAbstractButton>
#include <QImage>

namespace kestrune {

// A button that is a picture: the image scaled to the button's width, its
// height following the image's aspect ratio (heightForWidth). Without an
// image it takes no height.
class ImageButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ImageButton(QWidget *parent = nullptr);

    QImage image() const { return m_image; }
    void setImage(const QImage &image);
    // Height over width of the image in points; 0 without an image.
    qreal aspectRatio() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

} // namespace kestrune
