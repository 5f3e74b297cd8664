#pragma once

#include <QFont>
#include <QString>

#include <functional>

class QLabel;

namespace kestrune {

// Finds the font size at which one line of a text fills a height, by a
// binary search over 8 to 120 points on fractional midpoints. Only the
// height is fitted; the width plays no part. An instance keeps the measuring
// step for a self-fitting label, so that tests can replace it.
class FontFitter
{
public:
    static constexpr qreal minimumPointSize = 8;
    static constexpr qreal maximumPointSize = 120;

    // The height of the text laid out on one line in the font.
    using Measure = std::function<qreal(const QFont &font, const QString &text)>;
    static qreal lineHeight(const QFont &font, const QString &text);

    // The point size for `height` (rounded up to a whole point). Empty text
    // measures nothing and gives the first midpoint, 64.
    static qreal fittedPointSize(const QString &text, const QFont &font, qreal height,
                                 const Measure &measure = lineHeight);
    // The font at that size.
    static QFont fittedFont(const QString &text, const QFont &font, qreal height,
                            const Measure &measure = lineHeight);

    // The label's font at the size that fits its text to its height.
    QFont fit(const QLabel &label) const;
    // Empty restores the default measuring step.
    void setMeasure(Measure measure);

private:
    Measure m_measure = lineHeight;
};

} // namespace kestrune
