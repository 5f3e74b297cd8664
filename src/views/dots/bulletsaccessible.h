#pragma once

#include <QAccessibleWidget>

namespace kestrune {

class BulletsView;

// What assistive technology meets for a row of dots: one item, never four
// nameless dots. It reads the view's accessible name, which its board sets
// to the whole row ("Shot 3: 1 2 3 4, 2 bulls, 1 cow"); a view on its own
// reads its bulls and cows.
class BulletsAccessible : public QAccessibleWidget
{
public:
    explicit BulletsAccessible(BulletsView *view);

    // Makes every BulletsView answer with this interface; idempotent.
    static void install();

    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
};

} // namespace kestrune
