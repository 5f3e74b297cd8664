#include "statisticsrowdelegate.h"

#include "platform/resources/resources.h"

#include <QPainter>

namespace kestrune {

StatisticsRowDelegate::StatisticsRowDelegate(int rowHeight, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_rowHeight(rowHeight)
{
}

void StatisticsRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    const QRect row = option.rect;
    const QRect text = row.adjusted(horizontalMargin, 0, -horizontalMargin, 0);
    const bool rightToLeft = option.direction == Qt::RightToLeft;
    const Qt::Alignment leading = (rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    const Qt::Alignment trailing = (rightToLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;

    painter->setFont(option.font);
    const QString value = index.data(valueRole).toString();
    const int valueWidth = option.fontMetrics.horizontalAdvance(value);
    painter->setPen(Resources::color(QStringLiteral("secondaryLabel")));
    painter->drawText(text, trailing, value);

    // A long title gives way to the value, never the other way round: it
    // first takes a slightly smaller font, and is cut short only below that.
    const int titleWidth = std::max(0, text.width() - valueWidth - horizontalMargin);
    const QString fullTitle = index.data(Qt::DisplayRole).toString();
    QFont titleFont = option.font;
    const bool pixels = titleFont.pixelSize() > 0;
    const qreal fullSize = pixels ? titleFont.pixelSize() : titleFont.pointSizeF();
    for (qreal size = fullSize; size >= fullSize * minimumTitleScale; size -= 0.5) {
        if (pixels)
            titleFont.setPixelSize(int(size));
        else
            titleFont.setPointSizeF(size);
        if (QFontMetrics(titleFont).horizontalAdvance(fullTitle) <= titleWidth)
            break;
    }
    painter->setFont(titleFont);
    const QString title = QFontMetrics(titleFont).elidedText(fullTitle, Qt::ElideRight, titleWidth);
    QRect titleRect = text;
    titleRect.setWidth(titleWidth);
    if (rightToLeft)
        titleRect.moveRight(text.right());
    painter->setPen(Resources::color(QStringLiteral("label")));
    painter->drawText(titleRect, leading, title);

    if (index.row() + 1 < index.model()->rowCount(index.parent())) {
        painter->setPen(QPen(Resources::color(QStringLiteral("rowSeparator")), 0));
        const int y = row.bottom();
        if (rightToLeft)
            painter->drawLine(row.left(), y, row.right() - horizontalMargin, y);
        else
            painter->drawLine(row.left() + horizontalMargin, y, row.right(), y);
    }
    painter->restore();
}

QSize StatisticsRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width(), m_rowHeight};
}

} // namespace kestrune
