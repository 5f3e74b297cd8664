#include "navigationitem.h"

#include "barbuttonitem.h"

namespace kestrune {

NavigationItem::NavigationItem(QObject *parent)
    : QObject(parent)
{
}

void NavigationItem::setTitle(const QString &title)
{
    m_title = title;
    emit changed();
}

QList<BarButtonItem *> NavigationItem::leftItems() const
{
    QList<BarButtonItem *> items;
    for (const auto &item : m_leftItems) {
        if (item)
            items.append(item);
    }
    return items;
}

void NavigationItem::setLeftItems(const QList<BarButtonItem *> &items)
{
    m_leftItems.clear();
    for (BarButtonItem *item : items)
        m_leftItems.append(item);
    emit changed();
}

BarButtonItem *NavigationItem::rightItem() const
{
    return m_rightItem;
}

void NavigationItem::setRightItem(BarButtonItem *item)
{
    m_rightItem = item;
    emit changed();
}

} // namespace kestrune
