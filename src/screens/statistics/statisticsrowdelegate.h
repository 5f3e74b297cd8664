#pragma once

#include <QStyledItemDelegate>

namespace kestrune {

// Draws one statistics row: the title on the leading side, the value in
// gray on the trailing side, and a hairline under every row but the last,
// inset from the leading edge. The value is the item's valueRole data.
// GUI thread only.
class StatisticsRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int valueRole = Qt::UserRole + 1;
    static constexpr int horizontalMargin = 16;
    // How far a long title may shrink before it is cut short.
    static constexpr qreal minimumTitleScale = 0.85;

    // rowHeight: the height of a row in pixels.
    explicit StatisticsRowDelegate(int rowHeight, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_rowHeight;
};

} // namespace kestrune
