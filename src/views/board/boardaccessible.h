#pragma once

#include <QAccessibleWidget>

namespace kestrune {

class BoardView;

// A board as assistive technology walks it: a list of its ten rows in
// order, each one item that reads the row whole. The row numbers and codes
// drawn in columns beside the dots are left out, as the rows say them.
class BoardAccessible : public QAccessibleWidget
{
public:
    explicit BoardAccessible(BoardView *board);

    // Makes every BoardView answer with this interface; idempotent.
    static void install();

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    const BoardView *board() const;
};

} // namespace kestrune
