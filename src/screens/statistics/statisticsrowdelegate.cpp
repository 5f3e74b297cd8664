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

    const Layout layout =
        layoutRow(option.font, text.width(), index.data(Qt::DisplayRole).toString(), index.data(valueRole).toString());
    painter->setFont(layout.valueFont);
    painter->setPen(Resources::color(QStringLiteral("secondaryLabel")));
    painter->drawText(text, trailing, layout.value);

    painter->setFont(layout.titleFont);
    const QString title = layout.title;
    QRect titleRect = text;
    titleRect.setWidth(layout.titleWidth);
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

StatisticsRowDelegate::Layout StatisticsRowDelegate::layoutRow(const QFont &font, int width, const QString &title,
                                                               const QString &value)
{
    Layout layout;
    // A long value leaves the title its share of the row: it takes a
    // slightly smaller font, and is cut short only below that (the item's
    // tooltip has it whole).
    const int valueRoom = int(width * maximumValueShare);
    layout.valueFont = fitted(font, value, valueRoom);
    layout.value = QFontMetrics(layout.valueFont).elidedText(value, Qt::ElideRight, valueRoom);
    const int valueWidth = QFontMetrics(layout.valueFont).horizontalAdvance(layout.value);

    // A long title gives way to the value, within the value's share: it
    // first takes a slightly smaller font, and is cut short only below that.
    layout.titleWidth = std::max(0, width - valueWidth - horizontalMargin);
    layout.titleFont = fitted(font, title, layout.titleWidth);
    layout.title = QFontMetrics(layout.titleFont).elidedText(title, Qt::ElideRight, layout.titleWidth);
    return layout;
}

QFont StatisticsRowDelegate::fitted(const QFont &font, const QString &text, int width)
{
    QFont smaller = font;
    const bool pixels = font.pixelSize() > 0;
    const qreal fullSize = pixels ? font.pixelSize() : font.pointSizeF();
    for (qreal size = fullSize; size >= fullSize * minimumTitleScale; size -= 0.5) {
        if (pixels)
            smaller.setPixelSize(int(size));
        else
            smaller.setPointSizeF(size);
        if (QFontMetrics(smaller).horizontalAdvance(text) <= width)
            break;
    }
    return smaller;
}

QSize StatisticsRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width(), m_rowHeight};
}

} // namespace kestrune
