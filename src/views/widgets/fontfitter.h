#pragma once

#include <QFont>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLabel;

namespace kestrune {

// Finds the font size at which one line of a text fills a height, by a
// binary search over 8 to 120 points on fractional midpoints. Only the
// height is fitted; the width plays no part.
//
// An instance serves one self-fitting label: it refits on every layout pass
// of the label (each resize, and before it first shows) and hands the fitted
// font to the label's own way of applying it.
class FontFitter : public QObject
{
    Q_OBJECT

public:
    static constexpr qreal minimumPointSize = 8;
    static constexpr qreal maximumPointSize = 120;

    // The height of the text laid out on one line in the font.
    using Measure = std::function<qreal(const QFont &font, const QString &text)>;
    static qreal lineHeight(const QFont &font, const QString &text);

    // The point size for `height` (rounded up to a whole point). Empty text
    // measures nothing and gives the first midpoint, 64. Sizes whose height
    // the first measurement predicts to be clearly off the target are not
    // measured, which gives the full search's answer wherever the height
    // grows in proportion to the size within predictionMargin().
    static qreal fittedPointSize(const QString &text, const QFont &font, qreal height,
                                 const Measure &measure = lineHeight);
    // The font at that size.
    static QFont fittedFont(const QString &text, const QFont &font, qreal height, const Measure &measure = lineHeight);

    // How far a predicted height may be from a measured one.
    static qreal predictionMargin(qreal predicted);

    // Watches the label, which owns the fitter.
    FontFitter(QLabel *label, std::function<void(const QFont &)> apply);

    // Fits the label now, for example after a new text at the same height;
    // nothing when text, font and height are those of the last fit.
    void fit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_label;
    std::function<void(const QFont &)> m_apply;
    // What the last fit was for, and the font it left the label with.
    QString m_fittedText;
    int m_fittedHeight = -1;
    std::optional<QFont> m_fitted;
};

} // namespace kestrune
