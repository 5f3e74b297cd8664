#pragma once

#include <QList>
#include <QWidget>

#include <cstdint>

namespace kestrune {

// The bar along the bottom of the menu: the share of won games in the win
// colour from the left, the rest in the lose colour, blended over a short
// stretch where they meet. Without games it paints nothing. Assistive
// technology reads the record as the bar's value. GUI thread only.
class WinLoseBar : public QWidget
{
    Q_OBJECT

public:
    // Half the width of the blend, as a share of the bar.
    static constexpr qreal blendHalfWidth = 0.03;

    explicit WinLoseBar(QWidget *parent = nullptr);

    // games >= 0, 0 <= wins <= games (more wins count as all).
    void setRecord(std::int64_t games, std::int64_t wins);
    // The gradient's locations from left to right (win, win, lose, lose);
    // empty when there is no gradient.
    QList<qreal> locations() const { return m_locations; }

    static QList<qreal> locationsFor(std::int64_t games, std::int64_t wins);

    // The record in words, such as "3 wins, 2 losses".
    QString valueText() const { return m_valueText; }
    static QString valueTextFor(std::int64_t games, std::int64_t wins);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<qreal> m_locations;
    QString m_valueText;
};

} // namespace kestrune
