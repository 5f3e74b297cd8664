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
    // How far a long title or value may shrink before it is cut short.
    static constexpr qreal minimumTitleScale = 0.85;
    // The most of a row's width a value takes from its title.
    static constexpr qreal maximumValueShare = 0.6;

    // What a row shows of its title and value in `width` pixels (the row
    // less its margins), and in which fonts.
    struct Layout
    {
        QString title;
        QFont titleFont;
        int titleWidth = 0;
        QString value;
        QFont valueFont;
    };
    static Layout layoutRow(const QFont &font, int width, const QString &title, const QString &value);

    // rowHeight: the height of a row in pixels.
    explicit StatisticsRowDelegate(int rowHeight, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // `font`, stepped down to no less than minimumTitleScale, until `text`
    // fits `width`; the smallest step when nothing does.
    static QFont fitted(const QFont &font, const QString &text, int width);

    int m_rowHeight;
};

} // namespace kestrune
