#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace kestrune {

class BarButtonItem;

// What a screen shows in the navigation bar while it is on top: a title, the
// left items and one right item. The items are not owned; they are usually
// children of the screen. Every change is announced so the bar can follow.
class NavigationItem : public QObject
{
    Q_OBJECT

public:
    explicit NavigationItem(QObject *parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString &title);

    QList<BarButtonItem *> leftItems() const;
    void setLeftItems(const QList<BarButtonItem *> &items);
    BarButtonItem *rightItem() const;
    // Null removes the right item.
    void setRightItem(BarButtonItem *item);

signals:
    void changed();

private:
    QString m_title;
    QList<QPointer<BarButtonItem>> m_leftItems;
    QPointer<BarButtonItem> m_rightItem;
};

} // namespace kestrune
