#include "numberview.h"
#include "ui_numberview.h"

#include "platform/resources/resources.h"

namespace kestrune {

NumberView::NumberView(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::NumberView>())
{
    ui->setupUi(this);
    ui->numberLabel->setGradientPoints({0.5, 0.0}, {0.5, 1.0});
    ui->numberLabel->setGradientColors(Resources::color(QStringLiteral("quotationGradientStart")),
                                       Resources::color(QStringLiteral("quotationGradientEnd")));
    ui->numberLabel->setOutline(Resources::color(QStringLiteral("numberOutline")), 2);
    setNumber(m_number);
}

NumberView::~NumberView() = default;

AutoFontSizeOutlineLabel *NumberView::numberLabel() const
{
    return ui->numberLabel;
}

void NumberView::setNumber(int number)
{
    m_number = number;
    ui->numberLabel->setText(QString::number(number));
}

} // namespace kestrune
