#include "boardaccessible.h"

#include "boardview.h"
#include "views/dots/bulletsview.h"

namespace kestrune {

namespace {
QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String(BoardView::staticMetaObject.className()))
        if (auto *board = qobject_cast<BoardView *>(object))
            return new BoardAccessible(board);
    return nullptr;
}
} // namespace

BoardAccessible::BoardAccessible(BoardView *board)
    : QAccessibleWidget(board, QAccessible::List)
{
}

void BoardAccessible::install()
{
    QAccessible::installFactory(factory);
}

const BoardView *BoardAccessible::board() const
{
    return static_cast<const BoardView *>(widget());
}

int BoardAccessible::childCount() const
{
    return int(board()->bulletsViews().size());
}

QAccessibleInterface *BoardAccessible::child(int index) const
{
    const auto &rows = board()->bulletsViews();
    if (index < 0 || index >= rows.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(rows[index]);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(board()->bulletsViews().indexOf(qobject_cast<BulletsView *>(child->object())));
}

} // namespace kestrune
