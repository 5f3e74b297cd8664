#pragma once

#include "button.h"

#include <functional>

namespace kestrune {

// A button of a PromptDialog: a title, a height in points, whether a tap
// closes the dialog, and an action run on each tap (after the dialog closed,
// when it does). Its look is set up once, when the button is first polished
// (always before it shows), by setupView(); subclasses replace setupView() to
// change the defaults and then call the base, which applies them. A title
// colour set before that wins over the default.
class DialogButton : public Button
{
    Q_OBJECT

public:
    DialogButton(const QString &title, int height, bool dismissOnTap, std::function<void()> action,
                 QWidget *parent = nullptr);

    int buttonHeight() const { return m_height; }
    bool dismissOnTap() const { return m_dismissOnTap; }
    const std::function<void()> &action() const { return m_action; }

    QColor defaultTitleColor() const { return m_defaultTitleColor; }
    void setDefaultTitleColor(const QColor &color) { m_defaultTitleColor = color; }
    QColor defaultSeparatorColor() const { return m_defaultSeparatorColor; }
    void setDefaultSeparatorColor(const QColor &color) { m_defaultSeparatorColor = color; }
    // The separator drawn along the top edge (and the leading edge when the
    // button follows another in a row); valid once set up.
    QColor separatorColor() const { return m_separatorColor; }
    void setLeadingSeparator(bool draws);
    bool isSetUp() const { return m_isSetUp; }

protected:
    virtual void setupView();
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_height;
    bool m_dismissOnTap;
    std::function<void()> m_action;
    QColor m_defaultTitleColor;
    QColor m_defaultSeparatorColor;
    QColor m_separatorColor;
    bool m_leadingSeparator = false;
    bool m_isSetUp = false;
};

} // namespace kestrune
