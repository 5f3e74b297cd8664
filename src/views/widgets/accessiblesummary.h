#pragma once

#include <QAccessible>

class QObject;
class QWidget;

namespace kestrune::AccessibleSummary {

// Assistive technology reads `widget` as one element, by its accessible name
// and in `role`, and none of the widgets inside it: a number drawn digit by
// digit would otherwise be read as that many labels.
void readAsOne(QWidget *widget, QAccessible::Role role = QAccessible::StaticText);

// Assistive technology passes over `widget` and what it holds: it only
// decorates (a focus ring, a filler).
void hideDecoration(QWidget *widget);

// Drops the interface Qt has made for `object` so far, so that the next one
// asked for reflects a change in how the object is presented.
void forgetInterface(QObject *object);

} // namespace kestrune::AccessibleSummary
