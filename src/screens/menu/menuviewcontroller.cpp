#include "menuviewcontroller.h"
#include "ui_menuviewcontroller.h"

#include "menugameservice.h"
#include "winlosebar.h"

#include "game/keyvaluestore.h"
#include "game/quotationshelper.h"
#include "game/rx/driver.h"
#include "game/statisticshelper.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "platform/device/deviceprofile.h"
#include "platform/device/idletimer.h"
#include "platform/resources/resources.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/navigationitem.h"
#include "screens/navigation/windowscene.h"
#include "views/radialmenu/blurview.h"
#include "views/radialmenu/radialmenu.h"
#include "views/widgets/button.h"
#include "views/widgets/outlinelabel.h"
#include "views/widgets/overlaystack.h"
#include "views/widgets/roundedshadowstyle.h"

#include <QAccessible>
#include <QEvent>
#include <QFontDatabase>
#include <QTextLayout>
#include <QVariantAnimation>

#include <utility>

namespace kestrune {

namespace {

const QString quotationFamily = QStringLiteral("Avenir Next");

// Breaks text into lines no wider than `width`, keeping the breaks it has.
// Greedy, at spaces. Each paragraph is shaped once and the words' edges are
// read off that one line: shaping every candidate line again made the first
// layout of the menu cost milliseconds.
QString wrapped(const QString &text, const QFont &font, qreal width)
{
    QStringList out;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine row = layout.createLine();
        layout.endLayout();

        QString line;
        qreal lineStart = 0;
        qsizetype position = 0;
        while (position < paragraph.size()) {
            if (paragraph.at(position) == QLatin1Char(' ')) {
                ++position;
                continue;
            }
            qsizetype end = paragraph.indexOf(QLatin1Char(' '), position);
            if (end < 0)
                end = paragraph.size();
            const QString word = paragraph.mid(position, end - position);
            const qreal start = row.cursorToX(int(position));
            if (line.isEmpty()) {
                line = word;
                lineStart = start;
            } else if (row.cursorToX(int(end)) - lineStart > width) {
                out.append(line);
                line = word;
                lineStart = start;
            } else {
                line += QLatin1Char(' ') + word;
            }
            position = end;
        }
        out.append(line);
    }
    return out.join(QLatin1Char('\n'));
}

} // namespace

MenuViewController::MenuViewController(const MenuEnvironment &environment, QWidget *parent)
    : ViewController(parent)
    , ui(std::make_unique<Ui::MenuViewController>())
    , m_environment(environment)
    , m_gameServiceAnimation(new QVariantAnimation(this))
{
    ui->setupUi(this);
    setAccessibilityIdentifier(QStringLiteral("MenuViewController"));
    setAccessibleName(tr("Menu"));
    setAutoFillBackground(true);
}

MenuViewController::~MenuViewController()
{
    // The ring's buttons live in this widget; let the menu stop talking to
    // us before the children go.
    ui->playButton->setDelegate(nullptr);
}

OutlineLabel *MenuViewController::quotationLabel() const
{
    return ui->quotationLabel;
}
OutlineLabel *MenuViewController::quotationAuthorLabel() const
{
    return ui->quotationAuthorLabel;
}
RadialMenu *MenuViewController::playButton() const
{
    return ui->playButton;
}
Button *MenuViewController::statisticsButton() const
{
    return ui->statisticsButton;
}
Button *MenuViewController::gameServiceButton() const
{
    return ui->gameServiceButton;
}
WinLoseBar *MenuViewController::bottomBar() const
{
    return ui->bottomBar;
}

int MenuViewController::quotationFontSize(ScreenSize size)
{
    switch (size) {
    case ScreenSize::small:
        return 20;
    case ScreenSize::medium:
        return 24;
    case ScreenSize::large:
        return 36;
    default:
        return 40;
    }
}

void MenuViewController::viewDidLoad()
{
    setupViews();
    setupBindings();
    ui->playButton->setDelegate(this);
    setAccessibilityIdentifier(QStringLiteral("MenuViewController"));
}

void MenuViewController::setupViews()
{
    navigationItem()->setTitle(tr("Home"));
    applyColors();

    ui->quotationLabel->setGradientPoints(QPointF(0.5, 0.0), QPointF(0.5, 1.0));
    const auto quotation = QuotationsHelper::randomQuotation();
    // Kept whole: the label shows it broken into lines that fit.
    ui->quotationLabel->setProperty("quotation", QString::fromStdString(quotation.text));
    ui->quotationLabel->setText(QString::fromStdString(quotation.text));
    ui->quotationAuthorLabel->setText(QString::fromStdString(quotation.author));

    const int size = quotationFontSize(currentScreenSize());
    QFont font;
    if (QFontDatabase::hasFamily(quotationFamily)) {
        font.setFamily(quotationFamily);
    } else {
        // Without the face, the system family in its lightest weight keeps
        // the thin, slanted look.
        font = QFont();
    }
    font.setItalic(true);
    font.setWeight(QFont::ExtraLight);
    font.setPixelSize(size);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -1.0);
    ui->quotationLabel->setFont(font);
    // Asked as -0.375 x size, but that pulls the lines into each other with
    // every face we have: the text system this design came from never lets
    // line spacing go below 0 either, so 0 is what it showed.
    ui->quotationLabel->setLineSpacing(std::max(0.0, -0.375 * size));
    QFont author = font;
    author.setPixelSize(size / 2);
    author.setLetterSpacing(QFont::AbsoluteSpacing, 0.83);
    ui->quotationAuthorLabel->setFont(author);

    const bool tablet = DeviceProfile::current().isTablet();
    const int sideButton = tablet ? 60 : 50;
    ui->statisticsButton->resize(sideButton, sideButton);
    ui->gameServiceButton->resize(sideButton, sideButton);
    const int play = tablet ? 120 : 96;
    ui->playButton->resize(play, play);
    for (Button *button : {static_cast<Button *>(ui->playButton), ui->statisticsButton, ui->gameServiceButton}) {
        button->setBackgroundColorNames(QStringLiteral("circleButtonBackground"), QString());
        button->setIconSize(QSize(button->width(), button->height()) * 0.56);
        RoundedShadowStyle::apply(*button, button->height());
    }
    ui->statisticsButton->setImageName(QStringLiteral("Statistics"));
    ui->gameServiceButton->setImageName(QStringLiteral("Game Service"));
    ui->playButton->setIconNames(QStringLiteral("New Game"), QStringLiteral("Close Ring"));
    ui->playButton->setSpokenNames(tr("New game"), tr("Close the choice of game"));
    ui->playButton->setHost(this);
    ui->playButton->setModeButtons({tr("Single player"), tr("Two players"), tr("vs computer")});
    ui->playButton->setModeButtonSide(tablet ? 96 : 80);
    ui->playButton->setRingDistance(ringDistance(DeviceProfile::current().idiom() != DeviceProfile::Idiom::phone));

    setGameServiceButtonAvailable(false, false);
    layoutViews();
}

void MenuViewController::setupBindings()
{
    QPointer<MenuViewController> self(this);
    viewWillAppear()
        .asObservable()
        .subscribe([self](bool animated) {
            if (self)
                self->appear(animated);
        })
        .disposed(m_disposeBag);
    viewDidLayoutSubviews()
        .asObservable()
        .subscribe([self](const QSize &) {
            if (self)
                self->updateWinLoseBar();
        })
        .disposed(m_disposeBag);
    viewWillDisappear()
        .asObservable()
        .subscribe([self](bool animated) {
            if (!self)
                return;
            if (NavigationController *nav = self->navigationController())
                nav->setNavigationBarHidden(false, animated);
        })
        .disposed(m_disposeBag);

    connect(ui->statisticsButton, &QPushButton::clicked, this, [this] { performSegue(QStringLiteral("statistics")); });

    MenuGameService *service = m_environment.gameService;
    if (!service)
        return;
    rx::asDriver(service->gameServiceAvailable(), false)
        .drive([self](bool available) {
            if (self)
                self->setGameServiceButtonAvailable(available, true);
        })
        .disposed(m_disposeBag);
    const bool uiTest = m_environment.uiTest;
    rx::asDriver(service->signInScreens().filter([uiTest](const auto &) { return !uiTest; }),
                 std::shared_ptr<SignInViewController>())
        .drive([self](const std::shared_ptr<SignInViewController> &screen) {
            if (!self)
                return;
            self->m_pendingSignIn = screen;
            self->presentPendingSignIn();
        })
        .disposed(m_disposeBag);
    viewDidAppear()
        .asObservable()
        .subscribe([self](bool) {
            if (self)
                self->presentPendingSignIn();
        })
        .disposed(m_disposeBag);
    connect(ui->gameServiceButton, &QPushButton::clicked, this,
            [this, service] { service->presentAchievements(this); });
}

void MenuViewController::presentPendingSignIn()
{
    MenuGameService *service = m_environment.gameService;
    if (!m_pendingSignIn || !service)
        return;
    // Sign-in never competes with a game or another card: it waits until
    // the menu is what the player sees, with nothing over it.
    NavigationController *nav = navigationController();
    if (!window() || !isVisibleTo(window()) || (nav && (nav->topViewController() != this || nav->isTransitioning())))
        return;
    if (QWidget *over = OverlayStack::instance().top(window())) {
        QPointer<MenuViewController> self(this);
        connect(
            over, &QObject::destroyed, this,
            [self] {
                if (self)
                    self->presentPendingSignIn();
            },
            Qt::QueuedConnection);
        return;
    }
    const std::shared_ptr<SignInViewController> screen = *std::exchange(m_pendingSignIn, std::nullopt);
    service->presentSignIn(screen, this);
}

void MenuViewController::appear(bool animated)
{
    if (NavigationController *nav = navigationController())
        nav->setNavigationBarHidden(true, animated);
    if (QWidget *w = window(); w && w != this)
        WindowScene::requestGeometryUpdate(w, InterfaceOrientation::portrait);
    updateWinLoseBar();
    if (m_environment.idleTimer)
        m_environment.idleTimer->setIdleTimerDisabled(false);
    m_interactionAllowed = true;
    layoutViews();
    // No control shows a focus ring until the player reaches for the keys.
    setFocus(Qt::OtherFocusReason);
}

void MenuViewController::updateWinLoseBar()
{
    const std::int64_t games =
        m_environment.store ? StatisticsHelper::integerValue(*m_environment.store, StatisticsHelper::games) : 0;
    const std::int64_t wins =
        m_environment.store ? StatisticsHelper::integerValue(*m_environment.store, StatisticsHelper::wins) : 0;
    ui->bottomBar->setRecord(games, wins);
    const int height = safeAreaBottomInset() == 0 ? 10 : 21;
    if (height != m_bottomBarHeight) {
        m_bottomBarHeight = height;
        layoutViews();
    }
}

void MenuViewController::setGameServiceButtonAvailable(bool available, bool animated)
{
    Button *button = ui->gameServiceButton;
    m_gameServiceLeading = available ? 8 : -button->width();
    m_buttonSpacing = available ? 2 : 8;
    const qreal alpha = available ? 1 : 0;
    const bool appearing = available && button->isHidden();
    m_gameServiceAnimation->stop();
    m_gameServiceAnimation->disconnect(this);
    if (available)
        button->show();
    const qreal fromLeading = m_shownLeading;
    const qreal fromSpacing = m_shownSpacing;
    const qreal fromAlpha = button->alpha();
    auto step = [this, button, fromLeading, fromSpacing, fromAlpha, alpha](qreal t) {
        m_shownLeading = fromLeading + (m_gameServiceLeading - fromLeading) * t;
        m_shownSpacing = fromSpacing + (m_buttonSpacing - fromSpacing) * t;
        button->setAlpha(fromAlpha + (alpha - fromAlpha) * t);
        layoutViews();
    };
    auto finish = [this, button, available] {
        // Hidden, the button leaves the focus chain and assistive technology.
        button->setVisible(available);
    };
    if (!animated) {
        step(1.0);
        finish();
    } else {
        m_gameServiceAnimation->setDuration(gameServiceAnimationMs);
        m_gameServiceAnimation->setStartValue(0.0);
        m_gameServiceAnimation->setEndValue(1.0);
        connect(m_gameServiceAnimation, &QVariantAnimation::valueChanged, this,
                [step](const QVariant &value) { step(value.toReal()); });
        connect(m_gameServiceAnimation, &QVariantAnimation::finished, this, finish);
        m_gameServiceAnimation->start();
    }
    // A control that appears by itself is announced; one that goes needs no word.
    if (appearing) {
        QAccessibleEvent event(button, QAccessible::Alert);
        QAccessible::updateAccessibility(&event);
    }
}

void MenuViewController::layoutViews()
{
    const qreal w = width();
    const qreal h = height();
    const bool tablet = DeviceProfile::current().isTablet();
    ui->bottomBar->setGeometry(0, int(h) - m_bottomBarHeight, int(w), m_bottomBarHeight);
    const qreal above = h - m_bottomBarHeight;

    // The centre button sits low, within the thumb's reach; on the smallest
    // screens the ring would not fit above it, so it goes to the middle.
    QRectF play(QPointF(0, 0), QSizeF(ui->playButton->size()));
    if (currentScreenSize() == ScreenSize::small)
        play.moveCenter(QPointF(w / 2, h / 2));
    else
        play.moveBottom(above - (tablet ? 96 : 56)), play.moveLeft(w / 2 - play.width() / 2);
    ui->playButton->setGeometry(play.toRect());

    const QSizeF side(ui->statisticsButton->size());
    const qreal margin = 8;
    QRectF statistics(QPointF(margin + 8, above - 20 - side.height()), side);
    ui->statisticsButton->setGeometry(statistics.toRect());
    QRectF service(QPointF(margin + m_shownLeading, statistics.top() - m_shownSpacing - side.height()), side);
    ui->gameServiceButton->setGeometry(service.toRect());

    // The quotation fills what the open ring leaves free above the buttons.
    const qreal ringTop = play.center().y() - ui->playButton->ringDistance() - ui->playButton->modeButtonSide() / 2;
    qreal bottom = ringTop - 16;
    if (bottom < h * 0.3)
        bottom = play.top() - 24;
    const qreal top = DeviceProfile::current().statusBarHeight() + 24;
    const QRectF area(24, top, w - 48, std::max(0.0, bottom - top));
    ui->quotationArea->setGeometry(area.toRect());
    const QString text = ui->quotationLabel->property("quotation").toString();
    // Layout runs several times while the window appears; the lines change
    // only with the text, the font or the width.
    const QFont font = ui->quotationLabel->font();
    if (text != m_wrappedFor.text || font != m_wrappedFor.font || area.width() != m_wrappedFor.width) {
        m_wrappedFor = {text, font, area.width()};
        ui->quotationLabel->setText(wrapped(text, font, area.width()));
    }
}

void MenuViewController::applyColors()
{
    QPalette background = palette();
    background.setColor(QPalette::Window, Resources::color(QStringLiteral("background")));
    setPalette(background);
    ui->quotationLabel->setGradientColors(Resources::color(QStringLiteral("quotationGradientStart")),
                                          Resources::color(QStringLiteral("quotationGradientEnd")));
    QPalette author = ui->quotationAuthorLabel->palette();
    author.setColor(QPalette::WindowText, Resources::color(QStringLiteral("quotationGradientEnd")));
    ui->quotationAuthorLabel->setPalette(author);
}

void MenuViewController::resizeEvent(QResizeEvent *event)
{
    ViewController::resizeEvent(event);
    if (isViewLoaded())
        layoutViews();
}

void MenuViewController::changeEvent(QEvent *event)
{
    ViewController::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && isViewLoaded())
        applyColors();
}

void MenuViewController::radialMenuWillDisplay(RadialMenu &menu, Button *button, int index)
{
    button->setBackgroundColorNames(QStringLiteral("circleButtonBackground"), QString());
    static const QStringList pictures{QStringLiteral("Single Player"), QStringLiteral("Two Players"),
                                      QStringLiteral("Versus Computer")};
    button->setImageName(pictures.value(index, pictures.first()));
    if (index == 0 && m_environment.prepareGame) {
        // Laid out ahead at the size it will show at: under the bar.
        const NavigationController *nav = navigationController();
        m_environment.prepareGame(nav ? nav->screenSize(true) : size());
    }
    if (index == 0 && !m_blur) {
        m_blur = new BlurView(this, blurAlpha);
        m_blur->setGeometry(rect());
        m_blur->stackUnder(&menu);
        m_blur->show();
    }
}

void MenuViewController::radialMenuButtonWillSelected(RadialMenu &, Button *button, int)
{
    button->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    removeBlur();
}

void MenuViewController::radialMenuButtonDidSelected(RadialMenu &, Button *, int index)
{
    if (!m_interactionAllowed)
        return;
    m_interactionAllowed = false;
    static const QStringList segues{QStringLiteral("singleplayer"), QStringLiteral("multiplayer"),
                                    QStringLiteral("computer")};
    if (index >= 0 && index < segues.size())
        performSegue(segues.at(index));
}

void MenuViewController::menuCollapsed(RadialMenu &)
{
    removeBlur();
}

void MenuViewController::removeBlur()
{
    delete m_blur.data();
}

} // namespace kestrune
