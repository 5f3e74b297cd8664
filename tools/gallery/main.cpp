// Renders the views in their typical states, for looking at them.
// Usage: QT_QPA_PLATFORM=offscreen kestrune_gallery [output folder]

#include "game/game.h"
#include "platform/device/deviceprofile.h"
#include "platform/resources/resources.h"
#include "views/board/boardview.h"
#include "views/board/gameview.h"
#include "views/dots/bulletsview.h"
#include "views/dots/bulletview.h"
#include "views/dots/numberview.h"
#include "views/dots/turnview.h"
#include "views/keyboard/keyboardview.h"
#include "views/toast/toastalertview.h"
#include "views/widgets/moderndialogbutton.h"
#include "views/widgets/promptdialog.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

#include <cstdio>
#include <memory>

using namespace kestrune;

namespace {

constexpr qreal pixelRatio = 2.0;
constexpr qreal navigationBarHeight = 44;

struct Target
{
    QString folder;
    QString prefix;
};

void save(QWidget &widget, const Target &target, const QString &name)
{
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
    QCoreApplication::processEvents();
    QPixmap pixmap((QSizeF(widget.size()) * pixelRatio).toSize());
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    widget.render(&pixmap, QPoint(), QRegion(), QWidget::DrawChildren | QWidget::DrawWindowBackground);
    const QString file = QDir(target.folder).filePath(target.prefix + name + QStringLiteral(".png"));
    if (!pixmap.save(file))
        std::fprintf(stderr, "kestrune_gallery: cannot write %s\n", qPrintable(file));
    widget.hide();
}

std::shared_ptr<Game> makeGame(const std::vector<std::string> &shots)
{
    GameEnvironment environment;
    environment.drawCode = [] { return std::string("5831"); };
    auto game = std::make_shared<Game>(environment);
    for (const std::string &shot : shots)
        game->shot(shot);
    return game;
}

// A background the size of the screen's content, so that views sit as they would.
std::unique_ptr<QWidget> screen(QSize size)
{
    auto widget = std::make_unique<QWidget>();
    widget->setAutoFillBackground(true);
    widget->resize(size);
    return widget;
}

void renderGameViews(const Target &target, const DeviceProfile &device)
{
    const QSizeF size = device.size();
    const QSize content(int(size.width()), int(size.height() - device.statusBarHeight() - navigationBarHeight));
    struct State
    {
        QString name;
        std::vector<std::string> shots;
        QString typed;
    };
    const State states[] = {
        {QStringLiteral("board-empty"), {}, {}},
        {QStringLiteral("board-mid-game"), {"1234", "5678", "2159", "3851"}, QStringLiteral("583")},
        {QStringLiteral("board-won"), {"1234", "5678", "2159", "3851", "5813", "5831"}, {}},
    };
    for (const State &state : states) {
        auto game = makeGame(state.shots);
        auto host = screen(content);
        auto *view = new GameView(host.get());
        view->resize(content);
        view->configure(game);
        for (QChar digit : state.typed)
            view->keyboardView()->handleKey(0x1E + digit.digitValue() - 1);
        save(*host, target, state.name);
    }
}

void renderKeypad(const Target &target, const DeviceProfile &device)
{
    KeyboardView keypad;
    keypad.resize(int(device.size().width()), device.isTablet() ? 220 : 216);
    for (int usage : {0x1E + 2, 0x1E + 6, 0x1E + 3}) // 3, 7, 4
        keypad.handleKey(usage);
    save(keypad, target, QStringLiteral("keypad-three-digits"));
}

void renderDots(const Target &target)
{
    auto host = screen({360, 110});
    auto *grid = new QGridLayout(host.get());
    grid->setSpacing(18);
    int column = 0;
    for (DotState state : {DotState::bull, DotState::cow, DotState::empty}) {
        auto *dot = new BulletView;
        dot->setFixedSize(48, 48);
        dot->setState(state);
        auto *caption = new QLabel(BulletView::imageName(state));
        caption->setAlignment(Qt::AlignCenter);
        grid->addWidget(dot, 0, column, Qt::AlignCenter);
        grid->addWidget(caption, 1, column++, Qt::AlignCenter);
    }
    auto *row = new BulletsView;
    row->setFixedSize(48, 48);
    row->setDots(2, 1, false);
    grid->addWidget(row, 0, column, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("2 bulls, 1 cow")), 1, column, Qt::AlignCenter);
    save(*host, target, QStringLiteral("dots"));
}

void renderSmallViews(const Target &target)
{
    auto host = screen({240, 110});
    auto *layout = new QHBoxLayout(host.get());
    auto *turn = new TurnView;
    turn->showPlayer(2);
    layout->addWidget(turn, 0, Qt::AlignCenter);
    for (int digit : {0, 5, 7}) {
        auto *number = new NumberView;
        number->setFixedSize(44, 64);
        number->setNumber(digit);
        layout->addWidget(number, 0, Qt::AlignCenter);
    }
    save(*host, target, QStringLiteral("turn-and-numbers"));
}

// The pass-the-device card over a board, as the presenter's window shows it.
void renderToast(const Target &target, const DeviceProfile &device)
{
    const QSize content = device.size().toSize();
    GameView view;
    view.resize(content);
    view.configure(makeGame({"1234", "5678"}));
    view.keyboardView()->setButtonsEnabled(false);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.show();
    QCoreApplication::processEvents();

    ToastAlertView card(QStringLiteral("Pass your device\nto Player 2"), QStringLiteral("Pass To Player 2"), true, 1.5);
    card.setAttribute(Qt::WA_DontShowOnScreen);
    card.show();

    QPixmap pixmap((QSizeF(content) * pixelRatio).toSize());
    pixmap.setDevicePixelRatio(pixelRatio);
    view.render(&pixmap);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(QPoint(), content), QColor::fromRgbF(0, 0, 0, 0.1f));
    painter.end();
    card.render(&pixmap, QRect(QPoint(), content).center() - card.rect().center(), QRegion(), QWidget::DrawChildren);
    const QString file = QDir(target.folder).filePath(target.prefix + QStringLiteral("toast.png"));
    if (!pixmap.save(file))
        std::fprintf(stderr, "kestrune_gallery: cannot write %s\n", qPrintable(file));
}

void renderQuitDialog(const Target &target)
{
    auto host = screen({400, 260});
    host->setPalette(QColor(0, 0, 0, 90));
    PromptDialog dialog(QStringLiteral("Do you want to quit?"), QStringLiteral("All progress will be lost."));
    auto *quit = new ModernDialogButton(QStringLiteral("Quit"), 45, true, {});
    quit->setTitleColor(Resources::color(QStringLiteral("systemRed")));
    dialog.addButtons({new ModernDialogButton(QStringLiteral("Cancel"), 45, true, {}), quit});
    dialog.setTitleColor(Resources::color(QStringLiteral("label")));
    dialog.setMessageColor(Resources::color(QStringLiteral("secondaryLabel")));
    dialog.setBackgroundColor(Resources::color(QStringLiteral("systemBackground")));
    save(dialog, target, QStringLiteral("quit-dialog"));
}

void renderImages(const Target &target)
{
    const QStringList names = {"Black",
                               "White",
                               "Empty",
                               "Win",
                               "Lose",
                               "Tie",
                               "Single Player",
                               "Two Players",
                               "Pass To Player 1",
                               "Pass To Player 2",
                               "Simultaneous",
                               "Help",
                               "Close Game",
                               "Single",
                               "Backspace",
                               "Shot",
                               "Triangle Top",
                               "Triangle Bottom",
                               "Tutorial Puzzle",
                               "Tutorial Bulls and Cows",
                               "Tutorial Single Player",
                               "Tutorial Two Players"};
    const int columns = 4;
    const QSize cell(180, 150);
    auto host = screen({columns * cell.width(), int((names.size() + columns - 1) / columns) * cell.height()});
    auto *grid = new QGridLayout(host.get());
    for (int i = 0; i < names.size(); ++i) {
        auto *picture = new QLabel;
        picture->setPixmap(Resources::pixmap(names[i], QSizeF(150, 100), pixelRatio));
        picture->setAlignment(Qt::AlignCenter);
        auto *caption = new QLabel(names[i]);
        caption->setAlignment(Qt::AlignCenter);
        auto *cellLayout = new QVBoxLayout;
        cellLayout->addWidget(picture);
        cellLayout->addWidget(caption);
        grid->addLayout(cellLayout, i / columns, i % columns);
    }
    save(*host, target, QStringLiteral("images"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "kestrune_gallery: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    for (auto scheme : {Resources::ColorScheme::light, Resources::ColorScheme::dark}) {
        Resources::setColorScheme(scheme);
        QApplication::setPalette(Resources::palette());
        const QString schemeName =
            scheme == Resources::ColorScheme::light ? QStringLiteral("light") : QStringLiteral("dark");
        for (const QString &deviceName : {QStringLiteral("phone"), QStringLiteral("tablet")}) {
            DeviceProfile device = *DeviceProfile::fromName(deviceName);
            DeviceProfile::setCurrent(device);
            const Target target{folder, schemeName + QLatin1Char('-') + deviceName + QLatin1Char('-')};
            renderGameViews(target, device);
            renderKeypad(target, device);
            renderToast(target, device);
            if (device.isTablet()) {
                device.setOrientation(DeviceProfile::Orientation::landscapeRight);
                DeviceProfile::setCurrent(device);
                renderGameViews({folder, target.prefix + QStringLiteral("landscape-")}, device);
            }
        }
        const Target target{folder, schemeName + QLatin1Char('-')};
        renderDots(target);
        renderSmallViews(target);
        renderQuitDialog(target);
        renderImages(target);
    }
    std::printf("Pictures written to %s\n", qPrintable(QDir(folder).absolutePath()));
    return 0;
}
