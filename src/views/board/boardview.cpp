#include "boardview.h"
#include "ui_boardview.h"

#include "boardaccessible.h"

#include "game/gameprotocol.h"
#include "game/rx/driver.h"
#include "platform/resources/resources.h"
#include "views/dots/bulletsview.h"
#include "views/widgets/adaptivelayout.h"
#include "views/widgets/autofontsizelabel.h"
#include "views/widgets/autofontsizeoutlinelabel.h"

#include <QAccessible>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace kestrune {

namespace {
const QString placeholder = QStringLiteral("\u2022\u2022\u2022\u2022");

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}
} // namespace

BoardView::BoardView(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::BoardView>())
{
    static const bool accessible = (BoardAccessible::install(), true);
    Q_UNUSED(accessible);
    ui->setupUi(this);
    setAccessibleName(tr("Board"));
    for (int i = 0; i < ui->numbersStackView->count(); ++i)
        m_numberLabels.append(qobject_cast<AutoFontSizeOutlineLabel *>(ui->numbersStackView->itemAt(i)->widget()));
    for (int i = 0; i < ui->codesStackView->count(); ++i)
        m_codeLabels.append(qobject_cast<AutoFontSizeLabel *>(ui->codesStackView->itemAt(i)->widget()));
    for (int i = 0; i < ui->bulletsStackView->count(); ++i)
        m_bulletsViews.append(qobject_cast<BulletsView *>(ui->bulletsStackView->itemAt(i)->widget()));
    Q_ASSERT(m_codeLabels.size() == rowCount && m_bulletsViews.size() == rowCount);

    const QColor outline = Resources::color(QStringLiteral("numberOutline"));
    for (AutoFontSizeOutlineLabel *label : std::as_const(m_numberLabels))
        label->setOutline(outline, 1.5);
    for (int k = 0; k < m_numberLabels.size() && 2 * k + 1 < rampSize; ++k) {
        m_numberLabels[k]->setGradientPoints({0.5, 0.0}, {0.5, 1.0});
        m_numberLabels[k]->setGradientColors(rampColor(2 * k), rampColor(2 * k + 1));
    }
    ui->rowsLayout->setAdapter([this](const QRect &rect) { adaptRows(rect.size()); });
    updateRowColors();
    for (int i = 0; i < rowCount; ++i)
        updateRowName(i);
}

QBoxLayout *BoardView::numbersStackView() const
{
    return ui->numbersStackView;
}

QBoxLayout *BoardView::codesStackView() const
{
    return ui->codesStackView;
}

QBoxLayout *BoardView::bulletsStackView() const
{
    return ui->bulletsStackView;
}

BoardView::~BoardView()
{
    m_gameSubscription.dispose();
}

QColor BoardView::rampColor(int i)
{
    return QColor::fromRgbF(float(0.5 - 0.01 * i), float(0.76 - 0.01 * i), float(0.95 - 0.003 * i));
}

void BoardView::setGame(const std::shared_ptr<GameProtocol> &game)
{
    m_row = game ? qint64(game->shots().size()) : 0;
    m_game = game;

    m_gameSubscription.dispose();
    m_gameSubscription = rx::Disposable();
    if (game) {
        const auto results =
            game->resultSubject().asObservable().filter([this](const Result &) { return m_row < m_codeLabels.size(); });
        m_gameSubscription = rx::asDriver(results, Result{}).drive([this](const Result &r) { showResult(r); });
    }

    const std::vector<Shot> none;
    const std::vector<Shot> &shots = game ? game->shots() : none;
    for (std::size_t i = 0; i < shots.size() && i < std::size_t(rowCount); ++i) {
        m_codeLabels[int(i)]->setText(QString::fromStdString(shots[i].code));
        m_bulletsViews[int(i)]->setDots(int(shots[i].result.bulls), int(shots[i].result.cows), false);
    }
    for (qint64 i = m_row; i < rowCount; ++i) {
        m_codeLabels[int(i)]->setText(placeholder);
        m_bulletsViews[int(i)]->setDots(0, 0, false);
    }
    updateRowColors();
    for (int i = 0; i < rowCount; ++i)
        updateRowName(i);
}

std::shared_ptr<GameProtocol> BoardView::game() const
{
    return m_game.lock();
}

void BoardView::codeDidChange(const QString &text)
{
    if (m_row >= m_codeLabels.size())
        return;
    m_codeLabels[int(m_row)]->setText(text);
    updateRowName(int(m_row));
}

void BoardView::showResult(const Result &result)
{
    BulletsView *scored = m_bulletsViews[int(m_row)];
    scored->setDots(int(result.bulls), int(result.cows), true);
    ++m_row;
    updateRowColors();
    // The dots take their time; the news does not wait for them.
    updateRowName(int(m_row - 1));
    QAccessibleEvent alert(scored, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QString BoardView::rowText(int index) const
{
    if (index < 0 || index >= rowCount)
        return QString();
    const QString typed = spokenDigits(m_codeLabels[index]->text());
    if (index < m_row) {
        const BulletsView *dots = m_bulletsViews[index];
        return tr("Shot %1: %2, %3").arg(index + 1).arg(typed, BulletsView::resultText(dots->bulls(), dots->cows()));
    }
    if (index == m_row && !typed.isEmpty())
        return tr("Shot %1, typing: %2").arg(index + 1).arg(typed);
    return tr("Shot %1: empty").arg(index + 1);
}

QString BoardView::spokenDigits(const QString &code)
{
    QStringList digits;
    for (QChar c : code)
        if (c.isDigit())
            digits.append(c);
    return digits.join(QLatin1Char(' '));
}

void BoardView::updateRowName(int index)
{
    // Setting the name tells assistive technology that the row changed.
    m_bulletsViews[index]->setAccessibleName(rowText(index));
}

void BoardView::announce(const QString &text)
{
    setAccessibleDescription(text);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

bool BoardView::isTyping() const
{
    const auto game = m_game.lock();
    return game && !game->isEnded() && m_row < m_codeLabels.size();
}

// Rows still to play are quieter than the ones played and the one being typed.
void BoardView::updateRowColors()
{
    const QColor strong = Resources::color(QStringLiteral("label"));
    const QColor quiet = Resources::color(QStringLiteral("placeholder"));
    const qint64 lastStrong = isTyping() ? m_row : m_row - 1;
    for (int i = 0; i < m_codeLabels.size(); ++i)
        setTextColor(m_codeLabels[i], i <= lastStrong ? strong : quiet);
    update();
}

void BoardView::adaptRows(QSize size)
{
    const int h = size.height();
    const int rowSpacing = int(std::round(h * 0.006));
    const int dotsSpacing = int(std::round(h * 0.033));
    adaptSpacing(ui->numbersStackView, rowSpacing);
    adaptSpacing(ui->codesStackView, rowSpacing);
    adaptSpacing(ui->bulletsStackView, dotsSpacing);

    // Rows of unequal whole-point heights would get visibly unequal fonts, so
    // the points left over after ten equal rows go below the last one.
    const int spare = std::max(0, h - (rowCount - 1) * rowSpacing) % rowCount;
    ui->numbersStackView->setContentsMargins(0, 0, 0, spare);
    ui->codesStackView->setContentsMargins(0, 0, 0, spare);
    // The dots have half their spacing above the first row and below the last.
    const qreal dotsMargin = dotsSpacing / 2.0;
    const int dotsTop = int(std::floor(dotsMargin));
    const int dotsBottom = int(std::ceil(dotsMargin));
    const int dotsSpare = std::max(0, h - dotsTop - dotsBottom - (rowCount - 1) * dotsSpacing) % rowCount;
    ui->bulletsStackView->setContentsMargins(0, dotsTop, 0, dotsBottom + dotsSpare);

    // On wide screens the columns stay together in the middle.
    const int widest = std::max(320, int(h * 1.1));
    const int side = std::max(8, (size.width() - widest) / 2);
    ui->rowsLayout->setContentsMargins(side, 0, side, 0);
}

void BoardView::paintEvent(QPaintEvent *)
{
    // A soft band behind the row being typed.
    if (!isTyping())
        return;
    const QWidget *row = m_codeLabels[int(m_row)];
    const QRectF band = QRectF(rect()).adjusted(4, 0, -4, 0).intersected(QRectF(0, row->y(), width(), row->height()));
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(band, band.height() / 2, band.height() / 2);
    painter.fillPath(shape, Resources::color(QStringLiteral("rowSeparator")));
}

} // namespace kestrune
