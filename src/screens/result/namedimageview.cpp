#include "namedimageview.h"

#include "platform/resources/resources.h"

#include <QPainter>

namespace kestrune {

NamedImageView::NamedImageView(QWidget *parent)
    : QWidget(parent)
{
}

void NamedImageView::setImageName(const QString &name)
{
    m_imageName = name;
    update();
}

void NamedImageView::paintEvent(QPaintEvent *)
{
    if (m_imageName.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Resources::paint(painter, m_imageName, QRectF(rect()));
}

} // namespace kestrune
