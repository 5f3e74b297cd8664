#pragma once

#include <QWidget>

#include <memory>

class QLabel;

namespace Ui {
class TurnView;
}

namespace kestrune {

// Whose turn it is in a two-player match: "P1" or "P2" in a rounded frame
// (corner radius 12, a hairline in the label colour). 29 x 36 points.
class TurnView : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal cornerRadius = 12.0;
    static constexpr qreal borderWidth = 0.5;

    explicit TurnView(QWidget *parent = nullptr);
    ~TurnView() override;

    // Shows "P" followed by the number.
    void showPlayer(int number);
    QLabel *label() const;
    QWidget *roundView() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TurnView> ui;
};

} // namespace kestrune
