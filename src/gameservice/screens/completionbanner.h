#pragma once

#include <QFrame>

class QLabel;

namespace kestrune {

// A short banner at the top of a window: an achievement is complete. It
// goes away by itself after a few seconds, or when clicked.
class CompletionBanner final : public QFrame
{
    Q_OBJECT
public:
    static constexpr int visibleMs = 3000;
    // The space kept between the banner and the window's top and sides.
    static constexpr int windowMargin = 8;

    CompletionBanner(const QString &title, const QString &description, QWidget *window);

    QString title() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLabel *m_title;
};

} // namespace kestrune
