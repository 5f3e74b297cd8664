#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QHBoxLayout;
class QLabel;

namespace kestrune {

class BarButtonItem;
class Button;
class NavigationItem;

// The bar across the top of a navigation stack: the top screen's title in
// the middle, its left items on the left and its right item on the right.
// It follows every change of the item it shows.
class NavigationBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int barHeight = 44;
    static constexpr int itemSide = 44;
    static constexpr int iconSide = 26;

    explicit NavigationBar(QWidget *parent = nullptr);
    ~NavigationBar() override;

    NavigationItem *item() const;
    void setItem(NavigationItem *item);

    QString title() const;
    // The widget shown for an item: its button, or its custom widget. Null
    // when the item is not in the bar.
    QWidget *widgetFor(const BarButtonItem *item) const;

    // The bar may shrink to nothing while it hides.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void rebuild();
    void clearItems();
    QWidget *makeWidget(BarButtonItem *item);

    QPointer<NavigationItem> m_item;
    QHBoxLayout *m_leftLayout;
    QHBoxLayout *m_rightLayout;
    QLabel *m_title;
    struct Shown
    {
        QPointer<BarButtonItem> item;
        QPointer<QWidget> widget;
        bool isCustom;
    };
    QList<Shown> m_shown;
};

} // namespace kestrune
