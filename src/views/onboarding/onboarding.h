#pragma once

#include "onboardingpage.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>

class QVariantAnimation;

namespace Ui {
class Onboarding;
}

namespace kestrune {

class OnboardingButton;
class OnboardingPageView;
class PageIndicator;

// A modal card of pages shown over its host window, which it dims and covers
// (it is a child of the host and follows its size); while it shows it is on
// the window's OverlayStack, so nothing behind it takes keys or clicks. One page shows at a time;
// the reader turns pages with the wide button ("Next", and on the last page
// the closing title), by dragging the card sideways, or with the arrow and
// page keys. Escape closes it, Return presses the button. Page turns slide
// for turnDurationMs.
//
// The settings below are declared in this order, and callers that set the
// colours by position rely on it:
//   1. backgroundColor            the card
//   2. tintColor                  the button's background
//   3. buttonTitleColor           the button's title
//   4. currentPageIndicatorColor  the current page's dot (the others fade it)
//   5. textColor                  page texts, and titles without a titleColor
//   closeButtonTitle, widthRatio, heightRatio
//   6. titleColor                 page titles
// GUI thread only.
class Onboarding : public QWidget
{
    Q_OBJECT

public:
    static constexpr int turnDurationMs = 300;
    // How far (in points) a drag must go to turn the page.
    static constexpr qreal swipeThreshold = 40.0;

    Onboarding(const QList<OnboardingPage> &pages, QWidget *parent);
    ~Onboarding() override;

    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor &color);
    QColor tintColor() const { return m_tintColor; }
    void setTintColor(const QColor &color);
    QColor buttonTitleColor() const { return m_buttonTitleColor; }
    void setButtonTitleColor(const QColor &color);
    QColor currentPageIndicatorColor() const { return m_currentPageIndicatorColor; }
    void setCurrentPageIndicatorColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &color);

    // The button's title on the last page; "Done" unless set.
    QString closeButtonTitle() const { return m_closeButtonTitle; }
    void setCloseButtonTitle(const QString &title);
    // The card's share of the host's width and height, each in (0, 1]. Other
    // values are refused with a warning and the previous one is kept.
    qreal widthRatio() const { return m_widthRatio; }
    void setWidthRatio(qreal ratio);
    qreal heightRatio() const { return m_heightRatio; }
    void setHeightRatio(qreal ratio);

    // Invalid (the default) draws titles in textColor.
    QColor titleColor() const { return m_titleColor; }
    void setTitleColor(const QColor &color);

    const QList<OnboardingPage> &pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }
    // 0 <= currentPage() < pageCount(); it changes when a turn starts.
    int currentPage() const { return m_current; }
    // Where the pager stands, in pages: currentPage() once a turn has ended,
    // in between while it slides or is dragged.
    qreal pagePosition() const { return m_position; }
    // 0 <= page < pageCount(); another page is refused with a warning.
    void goToPage(int page, bool animated = true);

    // Shows the card over the host and takes the keyboard (so does show()).
    void open();
    // The card, in this widget's (the host's) coordinates.
    QRect cardRect() const;

    OnboardingButton *button() const;
    PageIndicator *pageIndicator() const;
    OnboardingPageView *pageView(int page) const;

signals:
    void currentPageChanged(int page);
    // The card was closed (by its button or Escape).
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buttonClicked();
    void setCurrent(int page);
    void slideTo(int page, bool animated);
    void setPosition(qreal position);
    void placeCard();
    void placePages();
    void updateButton();
    void applyTextColors();

    // Declaration order of the settings: see the class comment.
    QColor m_backgroundColor;
    QColor m_tintColor;
    QColor m_buttonTitleColor;
    QColor m_currentPageIndicatorColor;
    QColor m_textColor;
    QString m_closeButtonTitle;
    qreal m_widthRatio = 0.8;
    qreal m_heightRatio = 0.8;
    QColor m_titleColor;

    std::unique_ptr<Ui::Onboarding> ui;
    QList<OnboardingPage> m_pages;
    QList<OnboardingPageView *> m_pageViews;
    QVariantAnimation *m_turn;
    int m_current = 0;
    qreal m_position = 0;
    bool m_dragging = false;
    QPointer<QWidget> m_focusBefore;
    qreal m_dragStartX = 0;
    qreal m_dragStartPosition = 0;
};

} // namespace kestrune
