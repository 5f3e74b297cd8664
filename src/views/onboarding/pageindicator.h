#pragma once

#include <QColor>
#include <QWidget>

namespace kestrune {

// A row of dots, one per page, the current one in its own colour and the
// others in the same colour faded. Its accessible name says where the reader
// is ("Page 2 of 6") and is announced whenever the page changes.
class PageIndicator : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal dotSide = 8.0;
    static constexpr qreal dotSpacing = 10.0;

    explicit PageIndicator(QWidget *parent = nullptr);

    int count() const { return m_count; }
    // count >= 0; the current page is kept within it.
    void setCount(int count);
    int currentPage() const { return m_current; }
    // 0 <= page < count; other values are ignored.
    void setCurrentPage(int page);
    QColor currentColor() const { return m_currentColor; }
    void setCurrentColor(const QColor &color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateAccessibleName();

    int m_count = 0;
    int m_current = 0;
    QColor m_currentColor;
};

} // namespace kestrune
