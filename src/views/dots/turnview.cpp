#include "turnview.h"
#include "ui_turnview.h"

#include "platform/resources/resources.h"

#include <QEvent>
#include <QPainter>

namespace kestrune {

TurnView::TurnView(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TurnView>())
{
    ui->setupUi(this);
    setGeometry(0, 0, 29, 36);
    setFixedSize(29, 36);
    // The frame is drawn here so that its hairline and radius are exact.
    ui->roundView->installEventFilter(this);
}

TurnView::~TurnView() = default;

QLabel *TurnView::label() const
{
    return ui->label;
}

QWidget *TurnView::roundView() const
{
    return ui->roundView;
}

void TurnView::showPlayer(int number)
{
    //: A player's number, abbreviated: P1, P2
    ui->label->setText(tr("P%1").arg(number));
}

bool TurnView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->roundView && event->type() == QEvent::Paint) {
        QPainter painter(ui->roundView);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Resources::color(QStringLiteral("label")), borderWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = borderWidth / 2;
        painter.drawRoundedRect(QRectF(ui->roundView->rect()).adjusted(inset, inset, -inset, -inset), cornerRadius,
                                cornerRadius);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kestrune
