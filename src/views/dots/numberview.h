#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class NumberView;
}

namespace kestrune {

class AutoFontSizeOutlineLabel;

// One number in an outlined, auto-fitting label with a top-to-bottom gradient.
class NumberView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int number READ number WRITE setNumber)

public:
    explicit NumberView(QWidget *parent = nullptr);
    ~NumberView() override;

    int number() const { return m_number; }
    // Shows the number in decimal, without leading zeros.
    void setNumber(int number);
    AutoFontSizeOutlineLabel *numberLabel() const;

private:
    std::unique_ptr<Ui::NumberView> ui;
    int m_number = 0;
};

} // namespace kestrune
