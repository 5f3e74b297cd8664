#pragma once

#include <QObject>
#include <QPointer>

class QMouseEvent;
class QWidget;

namespace kestrune {

class Button;

// Keeps the 44-point promise of small buttons: a press inside a window that
// lands on no button but within a Button's touch area goes to that button,
// and the rest of the press (moves, the release) follows it there. Among
// several candidates the one whose centre is nearest wins.
class TouchAreaFilter : public QObject
{
    Q_OBJECT

public:
    // Watches the window's presses for as long as both exist.
    explicit TouchAreaFilter(QWidget *window);
    ~TouchAreaFilter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Button *buttonAt(const QPointF &globalPosition) const;
    void forward(QMouseEvent *event, Button *button);

    QPointer<QWidget> m_window;
    QPointer<Button> m_target;
};

} // namespace kestrune
