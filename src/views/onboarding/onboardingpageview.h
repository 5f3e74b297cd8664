#pragma once

#include "onboardingpage.h"

#include <QWidget>

class QLabel;

namespace kestrune {

// How one onboarding page looks: its picture on top, kept in proportion
// in the room the words leave, then the title and the wrapped text, all
// centred.
// The words are never cut: on a short page the picture shrinks instead.
class OnboardingPageView : public QWidget
{
    Q_OBJECT

public:
    explicit OnboardingPageView(const OnboardingPage &page, QWidget *parent = nullptr);

    const OnboardingPage &page() const { return m_page; }
    QLabel *titleLabel() const { return m_titleLabel; }
    QLabel *textLabel() const { return m_textLabel; }
    // Where the picture is drawn, in this view's coordinates.
    QRectF imageRect() const;

    void setTitleColor(const QColor &color);
    void setTextColor(const QColor &color);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    OnboardingPage m_page;
    QRect m_imageRect;
    QLabel *m_titleLabel;
    QLabel *m_textLabel;
};

} // namespace kestrune
