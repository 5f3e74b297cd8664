#include "resultviewcontroller.h"
#include "ui_resultviewcontroller.h"

#include "appinfo.h"
#include "imagebutton.h"
#include "matchsummary.h"
#include "namedimageview.h"
#include "resultcards.h"
#include "screens/outcome/matchoutcome.h"
#include "screens/outcome/resultviewcontrollerdelegate.h"

#include "game/gamemanaging.h"
#include "game/gameprotocol.h"
#include "game/playerprotocol.h"
#include "game/sharetext.h"
#include "platform/device/deviceprofile.h"
#include "platform/device/screensize.h"
#include "platform/resources/resources.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/windowscene.h"
#include "views/dots/numberview.h"
#include "views/widgets/accessiblesummary.h"
#include "views/widgets/button.h"
#include "views/widgets/outlinelabel.h"
#include "views/widgets/roundedshadowstyle.h"

#include "game/rx/driver.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace kestrune {

namespace {

// `text` with each line broken between words where it is wider than `room`;
// a single word wider than that stays whole.
QString wrapped(const QString &text, const QFontMetricsF &metrics, qreal room)
{
    QStringList out;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QString current;
        for (const QString &word : line.split(QLatin1Char(' '))) {
            const QString longer = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(longer) > room) {
                out.append(current);
                current = word;
            } else {
                current = longer;
            }
        }
        out.append(current);
    }
    return out.join(QLatin1Char('\n'));
}

void setPointSize(QWidget *widget, qreal size)
{
    QFont font = widget->font();
    font.setPointSizeF(size);
    widget->setFont(font);
}

} // namespace

ResultViewController::ResultViewController(QWidget *parent)
    : ViewController(parent)
    , ui(std::make_unique<Ui::ResultViewController>())
    , m_contentView(new QWidget(this))
    , m_cards(new ResultCards(this))
    , m_leftCard(m_cards->card(Card::left))
    , m_rightCard(m_cards->card(Card::right))
{
    setAccessibilityIdentifier(QStringLiteral("ResultViewController"));
    // The identifier is for tests; a listener hears what the screen is.
    setAccessibleName(tr("Result"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Resources::color(QStringLiteral("background")));
    setPalette(colours);

    ui->setupUi(m_contentView);
    m_resultDescriptionLabel = ui->resultDescriptionLabel;
    m_assistedLabel = ui->assistedLabel;
    m_pointsStackView = ui->pointsStackView;
    // The digits are drawn one view each; the score is read as one number.
    AccessibleSummary::readAsOne(ui->pointsStackView);
    ui->pointsStackView->setAccessibleName(tr("Points"));
    ui->menuButton->setImageName(QStringLiteral("Back"));

    // The cards were made before the content, which would put them first in
    // the chain; Tab goes from the play button on, in reading order.
    setTabOrder(ui->playButton, ui->challengeButton);
    setTabOrder(ui->challengeButton, ui->menuButton);
    setTabOrder(ui->menuButton, m_leftCard->imageView());
    setTabOrder(m_leftCard->imageView(), m_leftCard->shareButton());
    setTabOrder(m_leftCard->shareButton(), m_rightCard->imageView());
    setTabOrder(m_rightCard->imageView(), m_rightCard->shareButton());
    // A focused button takes the arrow keys to move the focus; Alt+Left
    // must still go back.
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        button->installEventFilter(this);
}

ResultViewController::ResultViewController(const MatchOutcome &outcome, QWidget *parent)
    : ResultViewController(parent)
{
    setOutcome(outcome);
}

void ResultViewController::setOutcome(const MatchOutcome &outcome)
{
    setGameManager(outcome.match);
    setGameResults(outcome.boardImages);
    setDelegate(outcome.delegate);
}

void ResultViewController::viewDidLoad()
{
    // A stack loads the screen before its first appearance, so the bindings
    // see that appearance too.
    loadView();
}

ResultViewController::~ResultViewController() = default;

ResultViewControllerDelegate *ResultViewController::delegate() const
{
    if (m_delegateIsObject && !m_delegateObject)
        return nullptr;
    return m_delegate;
}

void ResultViewController::setDelegate(ResultViewControllerDelegate *delegate)
{
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject *>(delegate);
    m_delegateIsObject = m_delegateObject != nullptr;
}

NamedImageView *ResultViewController::imageView() const
{
    return ui->imageView;
}
QLabel *ResultViewController::resultLabel() const
{
    return ui->resultLabel;
}
Button *ResultViewController::playButton() const
{
    return ui->playButton;
}
QLabel *ResultViewController::challengeLabel() const
{
    return ui->challengeLabel;
}
Button *ResultViewController::challengeButton() const
{
    return ui->challengeButton;
}
Button *ResultViewController::menuButton() const
{
    return ui->menuButton;
}
QWidget *ResultViewController::numberStackView() const
{
    return ui->numberStackView;
}
QWidget *ResultViewController::outerStackerView() const
{
    return ui->outerStackerView;
}

QList<NumberView *> ResultViewController::numberViews() const
{
    QList<NumberView *> views;
    QLayout *stack = ui->numberStackView->layout();
    for (int i = 0; i < stack->count(); ++i) {
        if (auto *view = qobject_cast<NumberView *>(stack->itemAt(i)->widget()))
            views.append(view);
    }
    return views;
}

void ResultViewController::loadView()
{
    if (m_loaded)
        return;
    m_loaded = true;
    setupViews();
    setupBindings();
    showResult();
}

void ResultViewController::showEvent(QShowEvent *event)
{
    loadView();
    ViewController::showEvent(event);
}

void ResultViewController::setupViews()
{
    m_phoneMargins = ui->contentLayout->contentsMargins();
    // On no window yet, the device's own sizes; a resize fits them later.
    const bool tabletInAWindow = DeviceProfile::current().isTablet() && window() != this;
    applySizes(tabletInAWindow ? tabletScale(window()->height()) : 1.0);

    QPalette text = ui->resultLabel->palette();
    text.setColor(QPalette::WindowText, Resources::color(QStringLiteral("label")));
    ui->resultLabel->setPalette(text);
    text.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    ui->pointsLabel->setPalette(text);
    ui->assistedLabel->setPalette(text);
    ui->challengeButton->setBackgroundColorNames(QStringLiteral("secondarySystemBackground"), QString());
    ui->challengeButton->setTitleColor(Resources::color(QStringLiteral("accent")));
    ui->challengeButton->setCornerRadius(20);

    // 1. The description reads from top to bottom in the quotation's colours.
    ui->resultDescriptionLabel->setGradientPoints({0.5, 0.0}, {0.5, 1.0});
    ui->resultDescriptionLabel->setGradientColors(Resources::color(QStringLiteral("quotationGradientStart")),
                                                  Resources::color(QStringLiteral("quotationGradientEnd")));
    ui->resultDescriptionLabel->setOutline(Resources::color(QStringLiteral("numberOutline")), 1);
    ui->resultDescriptionLabel->setLineSpacing(4);

    // 2. The rounded-shadow play button.
    Button *play = ui->playButton;
    play->setBackgroundColorNames(QStringLiteral("accent"), QStringLiteral("placeholder"));
    play->setTitleColor(Qt::white);
    RoundedShadowStyle::apply(*play, play->maximumHeight());

    // 3. and 4. One card per board image.
    QPointer<ResultViewController> self(this);
    m_cards->show(m_gameResults, [self](const QImage &image, QAbstractButton *sender) {
        if (self)
            self->share(image, sender);
    });
    const bool twoBoards = m_gameResults.size() > 1;
    const bool computer = m_gameManager && m_gameManager->isAgainstComputer();
    m_leftCard->imageView()->setAccessibleName(twoBoards && !computer ? tr("Board of player 1") : tr("Your board"));
    m_rightCard->imageView()->setAccessibleName(computer ? tr("Computer's board") : tr("Board of player 2"));
    // Side by side, two buttons of one name could not be told apart.
    if (twoBoards) {
        m_leftCard->shareButton()->setAccessibleName(computer ? tr("Share your board") : tr("Share player 1's board"));
        m_rightCard->shareButton()->setAccessibleName(computer ? tr("Share the computer's board")
                                                               : tr("Share player 2's board"));
    }

    // 5. The description line by the screen's size class.
    switch (currentScreenSize()) {
    case ScreenSize::medium:
        setPointSize(ui->resultDescriptionLabel,
                     ui->resultDescriptionLabel->font().pointSizeF() - descriptionFontReduction);
        break;
    case ScreenSize::small:
        // Losing to the computer must still tell the player their own code;
        // that match has no points display to make room for.
        if (m_gameManager && MatchSummary::losesToComputer(*m_gameManager))
            setPointSize(ui->resultDescriptionLabel,
                         ui->resultDescriptionLabel->font().pointSizeF() - descriptionFontReduction);
        else
            removeDescription();
        break;
    default:
        break;
    }
    if (m_resultDescriptionLabel)
        m_descriptionPointSize = m_resultDescriptionLabel->font().pointSizeF();
    layoutCards();
}

void ResultViewController::setupBindings()
{
    QPointer<ResultViewController> self(this);
    m_disposeBag.insert(rx::asDriver(viewWillAppear().asObservable(), false).drive([self](bool animated) {
        if (self)
            self->willAppear(animated);
    }));
    m_disposeBag.insert(rx::asDriver(viewDidAppear().asObservable(), false).drive([self](bool) {
        if (!self)
            return;
        // What most players want next, one Return away.
        self->ui->playButton->setFocus(Qt::OtherFocusReason);
        self->announceResult();
    }));
    connect(ui->playButton, &QAbstractButton::clicked, this, &ResultViewController::playAgainTapped);
    connect(ui->menuButton, &QAbstractButton::clicked, this, &ResultViewController::backToMenu);
    connect(ui->challengeButton, &QAbstractButton::clicked, this, &ResultViewController::challengeTapped);
}

void ResultViewController::willAppear(bool animated)
{
    if (NavigationController *stack = navigationController())
        stack->setNavigationBarHidden(true, animated);
    WindowScene::requestGeometryUpdate(window(), InterfaceOrientation::portrait);
}

void ResultViewController::playAgainTapped()
{
    if (ResultViewControllerDelegate *target = delegate())
        target->playAgain();
    m_cards->hide();
    if (NavigationController *stack = navigationController())
        stack->popViewController(true);
}

void ResultViewController::backToMenu()
{
    if (NavigationController *stack = navigationController())
        stack->popToRootViewController(true);
}

bool ResultViewController::isBackKey(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Escape && modifiers == Qt::NoModifier)
           || (event.key() == Qt::Key_Left && modifiers == Qt::AltModifier) || event.key() == Qt::Key_Back;
}

void ResultViewController::keyPressEvent(QKeyEvent *event)
{
    if (isBackKey(*event)) {
        backToMenu();
        return;
    }
    ViewController::keyPressEvent(event);
}

bool ResultViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isBackKey(*static_cast<QKeyEvent *>(event))) {
        backToMenu();
        return true;
    }
    return ViewController::eventFilter(watched, event);
}

void ResultViewController::showResult()
{
    showAssisted(m_gameManager && m_gameManager->gameState().kind() == GameState::Kind::won);
    showChallenge();
    if (!m_gameManager)
        return;
    const MatchSummary summary = MatchSummary::of(*m_gameManager, currentScreenSize() > ScreenSize::medium);
    if (!summary.picture.isEmpty())
        ui->imageView->setImageName(summary.picture);
    if (!summary.headline.isEmpty())
        ui->resultLabel->setText(summary.headline);
    if (summary.description == MatchSummary::Line::show && m_resultDescriptionLabel) {
        m_descriptionText = summary.descriptionText;
        m_resultDescriptionLabel->setText(m_descriptionText);
        fitDescription();
    } else if (summary.description == MatchSummary::Line::remove) {
        removeDescription();
    }
    if (summary.points == MatchSummary::Line::show)
        showPoints(summary.pointsValue);
    else if (summary.points == MatchSummary::Line::remove)
        removePointsDisplay();
}

QString ResultViewController::assistedText(int hints, bool won)
{
    const QString count = tr("%n hints", "", hints);
    // A lost match earns nothing anyway; only a win has a score to miss.
    // Two lines: on one, a phone would break it wherever the width ran out.
    return won ? tr("Assisted: %1\nNot on the leaderboard").arg(count) : tr("Assisted: %1").arg(count);
}

void ResultViewController::showAssisted(bool won)
{
    if (m_gameManager && m_gameManager->isAssisted()) {
        m_assistedLabel->setText(assistedText(m_gameManager->hintsUsed(), won));
        return;
    }
    delete m_assistedLabel.data();
}

QString ResultViewController::challengeText(const ResultGameService::Challenge &challenge, bool beaten)
{
    const QString score = QLocale().toString(qlonglong(challenge.score));
    return beaten ? tr("You beat %1's %2.").arg(challenge.issuerName, score)
                  : tr("%1's %2 still stands.").arg(challenge.issuerName, score);
}

void ResultViewController::showChallenge()
{
    ui->challengeLabel->hide();
    ui->challengeButton->hide();
    if (!m_gameService || !m_gameManager)
        return;
    // A challenge is played alone, against nobody but its score.
    const bool single = m_gameManager->players().size() == 1 && !m_gameManager->isAgainstComputer();
    const GameState state = m_gameManager->gameState();
    const bool won = state.kind() == GameState::Kind::won;
    // An assisted win is kept off the leaderboard, so it beats nobody there.
    std::int64_t points = 0;
    if (single && won && !m_gameManager->isAssisted() && !state.winners().empty()) {
        if (const auto game = state.winners().front()->game())
            points = game->points().value_or(0);
    }
    m_points = points;
    // Taken whatever the match: it was over when this match ended.
    const std::optional<ResultGameService::Challenge> challenge = m_gameService->takeChallengeInPlay();
    if (single && challenge) {
        const bool beaten = points > challenge->score;
        ui->challengeLabel->setText(challengeText(*challenge, beaten));
        QPalette colour = ui->challengeLabel->palette();
        colour.setColor(QPalette::WindowText,
                        Resources::color(beaten ? QStringLiteral("winBar") : QStringLiteral("loseBar")));
        ui->challengeLabel->setPalette(colour);
        ui->challengeLabel->show();
    }
    ui->challengeButton->setVisible(points > 0 && m_gameService->canSendChallenges());
}

void ResultViewController::challengeTapped()
{
    if (m_gameService && m_points > 0)
        m_gameService->presentChallengeDialog(window(), m_points);
}

void ResultViewController::showPoints(std::int64_t points)
{
    // Character k is the k-th digit from the right; "000" fills the places
    // a small number has not got.
    QString digits = QString::number(points);
    std::reverse(digits.begin(), digits.end());
    digits += QStringLiteral("000");
    const QList<NumberView *> views = numberViews();
    for (qsizetype k = 0; k < views.size() && k < digits.size(); ++k)
        views.at(views.size() - 1 - k)->setNumber(digits.at(k).digitValue());
    if (m_pointsStackView)
        m_pointsStackView->setAccessibleName(tr("%n points", "", int(points)));
}

void ResultViewController::fitDescription()
{
    // The label draws its own lines with extra spacing, which its size hint
    // does not know of.
    OutlineLabel *label = m_resultDescriptionLabel;
    // A window narrower than the device takes a smaller font rather than
    // cutting the line at both ends.
    const QMargins margins = ui->contentLayout->contentsMargins();
    const qreal room = m_contentView->width() - margins.left() - margins.right() - 2 * label->outlineWidth();
    if (m_descriptionPointSize > 0) {
        QFont font = label->font();
        font.setPointSizeF(m_descriptionPointSize);
        const QStringList textLines = m_descriptionText.split(QLatin1Char('\n'));
        const auto widest = [&textLines](const QFont &f) {
            const QFontMetricsF m(f);
            qreal width = 0;
            for (const QString &line : textLines)
                width = std::max(width, m.horizontalAdvance(line));
            return width;
        };
        while (room > 0 && font.pointSizeF() > minimumDescriptionPointSize && widest(font) > room)
            font.setPointSizeF(font.pointSizeF() - 1);
        if (font != label->font())
            label->setFont(font);
        // Still too wide at the smallest size (a long translation): broken
        // between words rather than cut at both ends.
        const QString text =
            room > 0 && widest(font) > room ? wrapped(m_descriptionText, QFontMetricsF(font), room) : m_descriptionText;
        if (text != label->text())
            label->setText(text);
    }
    const qsizetype lines = label->text().count(QLatin1Char('\n')) + 1;
    const QFontMetricsF metrics(label->font());
    label->setMinimumHeight(
        int(std::ceil(lines * metrics.height() + (lines - 1) * label->lineSpacing() + 2 * label->outlineWidth())));
}

void ResultViewController::removeDescription()
{
    delete m_resultDescriptionLabel.data();
}

void ResultViewController::removePointsDisplay()
{
    delete m_pointsStackView.data();
    QBoxLayout *stack = ui->outerStackerLayout;
    for (int i = 0; i < stack->count(); ++i)
        stack->setStretch(i, 1);
}

void ResultViewController::announceResult()
{
    if (ui->resultLabel->text().isEmpty())
        return;
    QAccessibleEvent event(ui->resultLabel, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
    emit resultAnnounced(ui->resultLabel->text());
}

void ResultViewController::layoutCards()
{
    m_cards->layout();
}

QString ResultViewController::shareText() const
{
    return m_gameManager ? ShareText::forMatch(*m_gameManager, AppInfo::homePageUrl())
                         : ShareText::invitation(AppInfo::homePageUrl());
}

ShareDialog *ResultViewController::share(const QImage &image, QAbstractButton *sender)
{
    if (!navigationController())
        return nullptr;
    Q_UNUSED(sender) // the sheet is centred in the window, wherever it was asked for
    auto *dialog = new ShareDialog(image, shareText(), window(), m_shareServices);
    return present(dialog, true) ? dialog : nullptr;
}

qreal ResultViewController::tabletScale(int windowHeight)
{
    const qreal full = DeviceProfile::tablet().size().height();
    return std::clamp(windowHeight / full, smallestTabletScale, 1.0);
}

void ResultViewController::applySizes(qreal tabletScale)
{
    m_tabletScale = tabletScale;
    const bool tablet = DeviceProfile::current().isTablet();
    const auto scaled = [tabletScale](qreal size) { return int(std::lround(size * tabletScale)); };
    if (tablet) {
        ui->imageView->setFixedSize(QSize(scaled(220), scaled(220)));
        setPointSize(ui->resultLabel, 36 * tabletScale);
        if (m_resultDescriptionLabel) {
            m_descriptionPointSize = 30 * tabletScale;
            setPointSize(m_resultDescriptionLabel, m_descriptionPointSize);
        }
        // A match without hints or points has lost these labels by now; a
        // later resize must not reach for them.
        if (m_assistedLabel)
            setPointSize(m_assistedLabel, 18 * tabletScale);
        setPointSize(ui->challengeLabel, 20 * tabletScale);
        setPointSize(ui->challengeButton, 18 * tabletScale);
        ui->challengeButton->setFixedSize(QSize(scaled(300), scaled(52)));
        if (m_pointsStackView)
            setPointSize(ui->pointsLabel, 18 * tabletScale);
        setPointSize(ui->playButton, 22 * tabletScale);
        ui->playButton->setFixedSize(QSize(scaled(300), scaled(64)));
        RoundedShadowStyle::apply(*ui->playButton, ui->playButton->maximumHeight());
    }
    const QMargins margins = tablet ? QMargins(scaled(48), scaled(72), scaled(48), scaled(64)) : m_phoneMargins;
    ui->contentLayout->setContentsMargins(margins + QMargins(0, 0, 0, int(safeAreaBottomInset())));
    const qreal digitScale = tablet ? 1.45 * tabletScale : 1.0;
    // The digits go with the points display when a match has no points.
    if (m_pointsStackView) {
        for (NumberView *digit : numberViews())
            digit->setFixedSize((QSizeF(46, 66) * digitScale).toSize());
    }
    if (m_resultDescriptionLabel)
        fitDescription();
}

void ResultViewController::resizeEvent(QResizeEvent *event)
{
    ViewController::resizeEvent(event);
    m_contentView->setGeometry(rect());
    // A tablet's window may be shorter than the device (a small screen, or a
    // player who resized it): its sizes shrink with it rather than overlap.
    if (m_loaded && DeviceProfile::current().isTablet() && window() != this) {
        const qreal scale = tabletScale(window()->height());
        if (std::abs(scale - m_tabletScale) > 0.01)
            applySizes(scale);
    }
    if (m_loaded && m_resultDescriptionLabel)
        fitDescription();
    if (m_loaded)
        fitPicture();
    layoutCards();
}

void ResultViewController::fitPicture()
{
    // A phone too short for its texts (a long translation, a wrapped
    // headline): the picture gives up room before the texts and the points
    // are squeezed under the play button. A tablet scales everything instead.
    if (DeviceProfile::current().isTablet() || m_contentView->height() <= 0)
        return;
    QWidget *texts = ui->outerStackerView;
    int side = phonePictureSize;
    ui->imageView->setFixedSize(side, side);
    // The spacers give way too as the picture shrinks, so a pass may not
    // free all it takes; a few passes settle it.
    for (int pass = 0; pass < 3 && side > smallestPhonePictureSize; ++pass) {
        ui->contentLayout->activate();
        const int missing = texts->heightForWidth(texts->width()) - texts->height();
        if (missing <= 0)
            break;
        side = std::max(smallestPhonePictureSize, side - missing);
        ui->imageView->setFixedSize(side, side);
    }
}

} // namespace kestrune
