#include "startviewcontroller.h"
#include "ui_startviewcontroller.h"

#include "game/quotationshelper.h"
#include "gameservice/gameservicemanager.h"
#include "platform/resources/resources.h"
#include "screens/game/gameviewcontroller.h"
#include "screens/navigation/navigationcontroller.h"
#include "views/components/button.h"

namespace kestrune {

StartViewController::StartViewController(GameServiceManager *service, QWidget *parent)
    : ViewController(parent)
    , ui(std::make_unique<Ui::StartViewController>())
    , m_service(service)
{
    ui->setupUi(this);
    setAccessibilityIdentifier(QStringLiteral("StartViewController"));
    setAccessibleName(tr("Kestrune"));
    applyLook();

    const auto quotation = QuotationsHelper::randomQuotation();
    ui->quotationLabel->setText(QString::fromStdString(quotation.text));
    ui->authorLabel->setText(QString::fromStdString(quotation.author));

    connect(ui->singlePlayerButton, &QPushButton::clicked, this,
            [this] { performSegue(QStringLiteral("singleplayer")); });
    connect(ui->twoPlayersButton, &QPushButton::clicked, this,
            [this] { performSegue(QStringLiteral("multiplayer")); });
    ui->achievementsButton->setVisible(m_service != nullptr);
    connect(ui->achievementsButton, &QPushButton::clicked, this, [this] {
        // The service only looks for a player when asked; asking here lets it
        // hand over its sign-in screen when nobody is signed in yet.
        m_service->checkGameServiceAvailability(false);
        m_service->presentAchievementsOnViewController(this);
    });

    // The game screen shows its own bar; this one has none.
    viewWillAppear()
        .asObservable()
        .subscribe([this](bool animated) {
            if (NavigationController *nav = navigationController())
                nav->setNavigationBarHidden(true, animated);
        })
        .disposed(m_bag);
}

StartViewController::~StartViewController() = default;

void StartViewController::prepare(const Segue &segue)
{
    if (auto *game = qobject_cast<GameViewController *>(segue.destination))
        game->setNumberOfPlayers(segue.identifier == QLatin1String("multiplayer") ? 2 : 1);
}

void StartViewController::applyLook()
{
    setAutoFillBackground(true);
    QPalette window = palette();
    window.setColor(QPalette::Window, Resources::color(QStringLiteral("systemBackground")));
    setPalette(window);

    QFont quotation = font();
    quotation.setItalic(true);
    quotation.setPixelSize(22);
    quotation.setWeight(QFont::Light);
    ui->quotationLabel->setFont(quotation);
    QPalette accent = ui->quotationLabel->palette();
    accent.setColor(QPalette::WindowText, Resources::color(QStringLiteral("quotationGradientEnd")));
    ui->quotationLabel->setPalette(accent);
    QFont author = font();
    author.setPixelSize(14);
    ui->authorLabel->setFont(author);
    QPalette secondary = ui->authorLabel->palette();
    secondary.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    ui->authorLabel->setPalette(secondary);

    QFont large = font();
    large.setPixelSize(17);
    large.setWeight(QFont::DemiBold);
    for (Button *button : {ui->singlePlayerButton, ui->twoPlayersButton}) {
        button->setFont(large);
        button->setBackgroundColorNames(QStringLiteral("accent"), QStringLiteral("placeholder"));
        button->setTitleColor(Qt::white);
        button->setCornerRadius(26);
    }
    ui->achievementsButton->setBackgroundColorNames(QStringLiteral("secondarySystemBackground"), QString());
    ui->achievementsButton->setTitleColor(Resources::color(QStringLiteral("label")));
    ui->achievementsButton->setCornerRadius(22);
}

} // namespace kestrune
