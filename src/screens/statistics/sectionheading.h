#pragma once

#include <QLabel>

namespace kestrune {

// The title over a group of rows: gray, a little smaller than the rows, with
// room above it. Assistive technology reads its text as a heading rather
// than as plain text, so a reader can jump between groups. Its colour is
// the scheme's at construction, as the rest of a screen's. GUI thread only.
class SectionHeading : public QLabel
{
    Q_OBJECT

public:
    explicit SectionHeading(const QString &text, QWidget *parent = nullptr);
};

} // namespace kestrune
