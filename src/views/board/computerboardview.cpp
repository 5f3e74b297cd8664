#include "computerboardview.h"
#include "ui_computerboardview.h"

#include "boardview.h"

#include "game/game.h"
#include "game/gameprotocol.h"
#include "game/rx/driver.h"
#include "platform/resources/resources.h"
#include "views/dots/bulletsview.h"

#include <QAccessible>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace kestrune {

namespace {

const QString placeholder = QStringLiteral("\u2022 \u2022 \u2022 \u2022");
constexpr int compactDotsSide = 20;

void setTextColor(QLabel *label, const QString &colorName)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Resources::color(colorName));
    label->setPalette(p);
}

} // namespace

ComputerBoardView::ComputerBoardView(Mode mode, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ComputerBoardView>())
    , m_mode(mode)
{
    ui->setupUi(this);
    setAccessibleName(tr("Computer's board"));

    QFont titleFont = ui->titleLabel->font();
    titleFont.setPixelSize(mode == Mode::full ? 17 : 13);
    titleFont.setWeight(QFont::DemiBold);
    ui->titleLabel->setFont(titleFont);
    setTextColor(ui->titleLabel, QStringLiteral("secondaryLabel"));

    QFont statusFont = ui->statusLabel->font();
    statusFont.setPixelSize(22);
    ui->statusLabel->setFont(statusFont);
    setTextColor(ui->statusLabel, QStringLiteral("secondaryLabel"));
    ui->statusLabel->setVisible(mode == Mode::full);

    if (mode == Mode::full) {
        // The board keeps the player's board's proportions beside it.
        ui->rootLayout->setContentsMargins(0, 12, 0, 0);
        m_boardView = new BoardView(this);
        m_boardView->setObjectName(QStringLiteral("computerBoardView"));
        m_boardView->setAccessibleName(tr("Computer's board"));
        ui->rowsLayout->addWidget(m_boardView, 1);
        ui->rootLayout->setStretch(1, 1);
    } else {
        buildCompactRows();
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        // A click shows every shot; keyboard users tab to it, so that it
        // never takes the keys that type and send the player's shots.
        setFocusPolicy(Qt::TabFocus);
        setCursor(Qt::PointingHandCursor);
        // A band of its own, so it does not read as two more rows of the player's board.
        setAutoFillBackground(true);
        QPalette band = palette();
        band.setColor(QPalette::Window, Resources::color(QStringLiteral("secondarySystemBackground")));
        setPalette(band);
    }
}

ComputerBoardView::~ComputerBoardView()
{
    m_gameSubscription.dispose();
}

void ComputerBoardView::setBoardMargins(int top, int bottom)
{
    if (!m_boardView)
        return;
    const int title = ui->titleLabel->sizeHint().height() + ui->rootLayout->spacing();
    ui->rootLayout->setContentsMargins(0, std::max(0, top - title), 0, 0);
    // The status takes the place of the player's keypad beside it.
    ui->statusLabel->setFixedHeight(std::max(0, bottom - ui->rootLayout->spacing()));
}

QLabel *ComputerBoardView::statusLabel() const
{
    return ui->statusLabel;
}

void ComputerBoardView::setStatus(Status status)
{
    m_status = status;
    updateTexts();
}

void ComputerBoardView::updateTexts()
{
    const QString title = tr("Computer \u00b7 %1").arg(m_strengthTitle);
    const bool thinking = m_status == Status::thinking;
    if (m_mode == Mode::compact) {
        QString text = thinking ? tr("%1 \u00b7 thinking\u2026").arg(title) : title;
        // An arrow says that there is more to see, or less.
        const auto game = m_game.lock();
        if (m_expanded)
            text += QStringLiteral(" \u25b4");
        else if (game && game->shots().size() > std::size_t(compactRowCount))
            text += QStringLiteral(" \u25be");
        ui->titleLabel->setText(text);
        return;
    }
    ui->titleLabel->setText(title);
    switch (m_status) {
    case Status::playerTurn:
        ui->statusLabel->setText(tr("Your turn"));
        break;
    case Status::thinking:
        ui->statusLabel->setText(tr("Thinking\u2026"));
        break;
    case Status::over:
        ui->statusLabel->clear();
        break;
    }
}

QLabel *ComputerBoardView::titleLabel() const
{
    return ui->titleLabel;
}

QString ComputerBoardView::shotText(const QString &code, int bulls, int cows)
{
    return tr("Computer: %1, %2").arg(BoardView::spokenDigits(code), BulletsView::resultText(bulls, cows));
}

void ComputerBoardView::buildCompactRows()
{
    QFont numberFont = font();
    numberFont.setPixelSize(15);
    numberFont.setWeight(QFont::Bold);
    QFont codeFont = font();
    codeFont.setPixelSize(18);
    // One slot per possible shot; placeRows() arranges them.
    auto *grid = new QGridLayout;
    m_rowsGrid = grid;
    grid->setHorizontalSpacing(28);
    grid->setVerticalSpacing(2);
    auto *centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(grid);
    centred->addStretch(1);
    ui->rowsLayout->addLayout(centred);
    for (int i = 0; i < int(Game::maxShots); ++i) {
        auto *slot = new QWidget(this);
        slot->setObjectName(QStringLiteral("computerRow%1").arg(i));
        auto *row = new QHBoxLayout(slot);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(14);
        auto *number = new QLabel(this);
        number->setObjectName(QStringLiteral("computerRowNumber%1").arg(i));
        number->setFont(numberFont);
        number->setFixedWidth(24);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *code = new QLabel(this);
        code->setObjectName(QStringLiteral("computerRowCode%1").arg(i));
        code->setFont(codeFont);
        code->setMinimumWidth(80);
        code->setAlignment(Qt::AlignCenter);
        auto *dots = new BulletsView(this);
        dots->setObjectName(QStringLiteral("computerRowDots%1").arg(i));
        dots->setFixedSize(compactDotsSide, compactDotsSide);
        row->addWidget(number);
        row->addWidget(code);
        row->addWidget(dots);
        slot->setVisible(i < compactRowCount);
        m_rows.append(slot);
        m_numberLabels.append(number);
        m_codeLabels.append(code);
        m_bulletsViews.append(dots);
    }
    placeRows();
}

void ComputerBoardView::placeRows()
{
    // Collapsed, one column, the newest shot at the bottom; expanded, two
    // shots a row, in reading order, so that ten shots take five rows.
    for (QWidget *row : std::as_const(m_rows))
        m_rowsGrid->removeWidget(row);
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_expanded)
            m_rowsGrid->addWidget(m_rows[i], i / expandedColumnCount, i % expandedColumnCount);
        else
            m_rowsGrid->addWidget(m_rows[i], i, 0);
    }
}

void ComputerBoardView::setGame(const std::shared_ptr<GameProtocol> &game, const QString &strengthTitle)
{
    m_game = game;
    m_strengthTitle = strengthTitle;
    m_status = Status::playerTurn;
    // A new match starts with the latest shots only.
    const bool wasExpanded = m_expanded;
    m_expanded = false;
    if (wasExpanded)
        placeRows();
    updateTexts();

    m_gameSubscription.dispose();
    m_gameSubscription = rx::Disposable();
    if (game) {
        // Subscribed before the board: nobody types the computer's digits, so
        // they go into the board's open row before the board scores it.
        m_gameSubscription = rx::asDriver(game->resultSubject().asObservable(), Result{}).drive([this](const Result &) {
            const auto game = m_game.lock();
            if (m_boardView && game && !game->shots().empty())
                m_boardView->codeDidChange(QString::fromStdString(game->shots().back().code));
            refreshCompactRows();
            updateTexts();
            announceLatestShot();
        });
    }
    if (m_boardView)
        m_boardView->setGame(game);
    refreshCompactRows();
    if (wasExpanded)
        emit expandedChanged(false);
}

void ComputerBoardView::refreshCompactRows()
{
    if (m_codeLabels.isEmpty())
        return;
    const auto game = m_game.lock();
    const std::vector<Shot> none;
    const std::vector<Shot> &shots = game ? game->shots() : none;
    // Collapsed, the newest shot sits at the bottom, next to the player's
    // board; before the computer has shot, the first rows wait as
    // placeholders. Expanded, every shot has its own slot.
    const qsizetype count = qsizetype(shots.size());
    const qsizetype first = m_expanded ? 0 : std::max<qsizetype>(0, count - compactRowCount);
    const qsizetype shown = m_expanded ? std::max<qsizetype>(compactRowCount, count) : compactRowCount;
    for (int i = 0; i < m_codeLabels.size(); ++i) {
        m_rows[i]->setVisible(i < shown);
        if (i >= shown)
            continue;
        const qsizetype index = first + i;
        const bool played = index < count;
        m_numberLabels[i]->setText(QString::number(index + 1));
        QPalette p = m_numberLabels[i]->palette();
        p.setColor(QPalette::WindowText,
                   BoardView::rampColor(int(std::min<qsizetype>(2 * index, BoardView::rampSize - 1))));
        m_numberLabels[i]->setPalette(p);
        if (played) {
            const Shot &shot = shots[std::size_t(index)];
            const QString code = QString::fromStdString(shot.code);
            m_codeLabels[i]->setText(BoardView::spokenDigits(code));
            setTextColor(m_codeLabels[i], QStringLiteral("label"));
            m_bulletsViews[i]->setDots(int(shot.result.bulls), int(shot.result.cows), false);
            // Numbered like the player's rows, so the two boards read alike.
            m_bulletsViews[i]->setAccessibleName(
                tr("Computer's shot %1: %2, %3")
                    .arg(index + 1)
                    .arg(BoardView::spokenDigits(code),
                         BulletsView::resultText(int(shot.result.bulls), int(shot.result.cows))));
        } else {
            m_codeLabels[i]->setText(placeholder);
            setTextColor(m_codeLabels[i], QStringLiteral("placeholder"));
            m_bulletsViews[i]->setDots(0, 0, false);
            m_bulletsViews[i]->setAccessibleName(tr("Computer's shot %1: empty").arg(index + 1));
        }
    }
}

void ComputerBoardView::setExpanded(bool expanded)
{
    if (m_mode != Mode::compact || expanded == m_expanded)
        return;
    m_expanded = expanded;
    placeRows();
    refreshCompactRows();
    updateTexts();
    emit expandedChanged(m_expanded);
}

void ComputerBoardView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_mode == Mode::compact && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        toggleExpanded();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ComputerBoardView::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (m_mode == Mode::compact && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        toggleExpanded();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ComputerBoardView::announceLatestShot()
{
    const auto game = m_game.lock();
    if (!game || game->shots().empty())
        return;
    const Shot &shot = game->shots().back();
    setAccessibleDescription(
        shotText(QString::fromStdString(shot.code), int(shot.result.bulls), int(shot.result.cows)));
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace kestrune
