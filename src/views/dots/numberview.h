#pragma once

#include "ui_numberview.h"

#include <QWidget>

namespace kestrune {

class AutoFontSizeOutlineLabel;

// One number in an outlined, auto-fitting label with a top-to-bottom gradient.
class NumberView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int number READ number WRITE setNumber)

public:
    explicit NumberView(QWidget *parent = nullptr);

    int number() const { return m_number; }
    // Shows the number in decimal, without leading zeros.
    void setNumber(int number);
    AutoFontSizeOutlineLabel *numberLabel() const { return ui.numberLabel; }

private:
    Ui::NumberView ui;
    int m_number = 0;
};

} // namespace kestrune
