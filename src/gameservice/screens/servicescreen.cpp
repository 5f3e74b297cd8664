#include "servicescreen.h"
#include "cataloguetext.h"
#include "leaderboardpage.h"

#include "challengespage.h"

#include "gameservice/kit/gameservicecontrollerdelegate.h"
#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/kit/servicebackend.h"
#include "gameservice/kit/servicekit.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/resources/resources.h"
#include "views/widgets/button.h"
#include "views/widgets/modaloverlay.h"
#include "views/widgets/moderndialogbutton.h"
#include "views/widgets/promptdialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace kestrune {

namespace {
// Runs `f` on the GUI thread if the screen still exists by then. The guard is
// made on the GUI thread; other threads only copy the shared pointer to it.
template<typename F> void onScreen(const std::shared_ptr<QPointer<ServiceScreen>> &screen, F f)
{
    DispatchQueue::main([screen, f = std::move(f)] {
        if (*screen)
            f(screen->data());
    });
}

// A flat list: the first column takes the width, the others fit their text.
QTreeWidget *makeTree(const QStringList &headers, QWidget *parent)
{
    auto *tree = new QTreeWidget(parent);
    tree->setHeaderLabels(headers);
    tree->setRootIsDecorated(false);
    tree->setItemsExpandable(false);
    tree->setSelectionMode(QAbstractItemView::NoSelection);
    tree->setFocusPolicy(Qt::NoFocus);
    tree->setFrameShape(QFrame::NoFrame);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tree->setStyleSheet(QStringLiteral("QTreeView::item { padding: 2px 0; }"));
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->header()->setSectionResizeMode(headers.size() > 2 ? 1 : 0, QHeaderView::Stretch);
    return tree;
}

QColor named(const char *name)
{
    return Resources::color(QString::fromLatin1(name));
}
} // namespace

ServiceScreen::ServiceScreen(std::shared_ptr<GameServiceViewController> controller, QWidget *parent)
    : QDialog(parent)
    , m_controller(std::move(controller))
    , m_tabs(new QTabWidget(this))
    , m_leaderboard(new LeaderboardPage(m_controller->kit().shared_from_this(),
                                        m_controller->leaderboardIdentifier().value_or(QString()), this))
    , m_achievements(makeTree({tr("Achievement"), tr("Progress")}, this))
    , m_challenges(new ChallengesPage(m_controller->kit().shared_from_this(), this))
    , m_error(new QLabel(this))
{
    setObjectName(QStringLiteral("serviceScreen"));
    setWindowTitle(tr("Game service"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    auto *title = new QLabel(tr("Game service"), this);
    QFont titleFont = title->font();
    titleFont.setPixelSize(22);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title);

    m_error->setWordWrap(true);
    m_error->hide();
    QPalette secondary = m_error->palette();
    secondary.setColor(QPalette::WindowText, named("secondaryLabel"));
    m_error->setPalette(secondary);
    layout->addWidget(m_error);

    connect(m_challenges, &ChallengesPage::playRequested, this, [this](const Challenge &challenge) {
        if (GameServiceControllerDelegate *delegate = m_controller->gameServiceDelegate())
            delegate->gameServiceViewControllerWantsToPlay(*m_controller, challenge);
    });
    m_tabs->setDocumentMode(true);
    // Tab reaches the pages as a whole before their tabs; it needs a name.
    m_tabs->setAccessibleName(tr("Service pages"));
    m_tabs->addTab(m_leaderboard, tr("Leaderboards"));
    m_tabs->addTab(m_achievements, tr("Achievements"));
    m_tabs->addTab(m_challenges, tr("Challenges"));
    // Tabs longer than a phone is wide (a long translation) are cut short
    // rather than scrolled, each whole in its tooltip.
    m_tabs->setElideMode(Qt::ElideRight);
    m_tabs->setUsesScrollButtons(false);
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabToolTip(i, m_tabs->tabText(i));
    m_tabs->setCurrentIndex(int(m_controller->viewState()));
    layout->addWidget(m_tabs, 1);

    auto *close = new Button(tr("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setBackgroundColorNames(QStringLiteral("accent"), QString());
    close->setTitleColor(Qt::white);
    close->setCornerRadius(18);
    close->setMinimumHeight(36);
    connect(close, &QPushButton::clicked, this, &ServiceScreen::reject);
    auto *footer = new QHBoxLayout;
    footer->setSpacing(10);
    if (m_controller->kit().localPlayer().isAuthenticated()) {
        m_signOut = new Button(tr("Sign out"), this);
        m_signOut->setObjectName(QStringLiteral("signOutButton"));
        m_signOut->setBackgroundColorNames(QStringLiteral("secondarySystemBackground"), QString());
        m_signOut->setTitleColor(Resources::color(QStringLiteral("systemRed")));
        m_signOut->setCornerRadius(18);
        m_signOut->setMinimumHeight(36);
        connect(m_signOut, &QPushButton::clicked, this, &ServiceScreen::askToSignOut);
        footer->addWidget(m_signOut, 1);
    }
    footer->addWidget(close, 1);
    layout->addLayout(footer);

    // Over the game's window on a phone or tablet; a sensible size elsewhere.
    resize(parent ? parent->window()->size() : QSize(375, 600));
    load();
}

QSize ServiceScreen::sizeHint() const
{
    // Room for the three tabs and a page of scores; the overlay bounds it
    // by the window.
    return QDialog::sizeHint().expandedTo(QSize(400, 640));
}

void ServiceScreen::askToSignOut()
{
    const QString server = m_controller->kit().backend().address();
    const QString message =
        server.isEmpty()
            ? tr("Your scores and achievements stay on this computer: sign in under the same name to have them back.")
            : tr("Your account stays on %1. To use it again on this computer you need its recovery code.").arg(server);
    auto *confirm = new ModernDialogButton(tr("Sign out"), 45, true, [screen = QPointer<ServiceScreen>(this)] {
        if (screen)
            screen->m_controller->signOut();
    });
    confirm->setObjectName(QStringLiteral("confirmSignOut"));
    confirm->setTitleColor(Resources::color(QStringLiteral("systemRed")));
    auto *cancel = new ModernDialogButton(tr("Cancel"), 45, true, {});
    cancel->setObjectName(QStringLiteral("Cancel"));
    // Return must not take the choice that may need a code to undo.
    cancel->setDefault(true);
    auto *dialog = new PromptDialog(tr("Sign out?"), message);
    dialog->setObjectName(QStringLiteral("signOutPrompt"));
    dialog->setAccessibleName(tr("Sign out?"));
    dialog->setButtonAlignment(PromptDialog::ButtonAlignment::horizontal);
    dialog->setPreferredWidth(320);
    dialog->addButtons({cancel, confirm});
    dialog->setCancelButton(cancel);
    dialog->setTitleColor(Resources::color(QStringLiteral("label")));
    dialog->setMessageColor(Resources::color(QStringLiteral("secondaryLabel")));
    dialog->setBackgroundColor(Resources::color(QStringLiteral("systemBackground")));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    ModalOverlay::present(dialog, window());
}

QTreeWidget *ServiceScreen::scores() const
{
    return m_leaderboard->list();
}

void ServiceScreen::reject()
{
    // The controller's delegate dismisses us; without one we close ourselves.
    if (m_dismissing || !m_controller->gameServiceDelegate()) {
        QDialog::reject();
        return;
    }
    if (!m_finishRequested) {
        m_finishRequested = true;
        m_controller->finish();
    }
}

void ServiceScreen::dismissNow()
{
    m_dismissing = true;
    QDialog::reject();
}

void ServiceScreen::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (!isActiveWindow())
        m_leftOnce = true; // a sign-in dialog, or another window, came over it
    else if (m_leftOnce)
        load();
}

void ServiceScreen::load()
{
    ServiceKit &kit = m_controller->kit();
    const ServiceCatalogue catalogue = kit.catalogue();
    const auto self = std::make_shared<QPointer<ServiceScreen>>(this);

    kit.loadAchievements([self, catalogue](std::vector<Achievement> list, OptionalError error) {
        onScreen(self, [catalogue, list = std::move(list), error](ServiceScreen *screen) {
            screen->showAchievements(catalogue, list, error);
        });
    });

    if (m_leftOnce) // the page loaded itself when it was made
        m_leaderboard->reload();

    m_challenges->load();
}

void ServiceScreen::showAchievements(const ServiceCatalogue &catalogue, const std::vector<Achievement> &list,
                                     const OptionalError &error)
{
    std::map<QString, double> progress;
    for (const Achievement &a : list)
        progress[a.identifier()] = a.percentComplete();
    m_achievements->clear();
    QFont bold = m_achievements->font();
    bold.setBold(true);
    for (const auto &d : catalogue.achievements) {
        const double p = progress.count(d.identifier) ? progress[d.identifier] : 0.0;
        const bool done = p >= 100.0;
        const QString title = CatalogueText::achievementTitle(d.identifier, d.title);
        const QString description = CatalogueText::achievementDescription(d.identifier, d.description);
        //: An achievement's progress in percent
        const QString percent = tr("%1 %").arg(QLocale().toString(std::min(p, 100.0)));
        auto *item = new QTreeWidgetItem(m_achievements, {title, percent});
        item->setFont(0, bold);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setForeground(1, done ? named("winBar") : named("secondaryLabel"));
        item->setToolTip(0, description);
        // The description as a second line under the title.
        auto *how = new QTreeWidgetItem(item, {description});
        how->setToolTip(0, description);
        how->setFirstColumnSpanned(true);
        how->setForeground(0, named("secondaryLabel"));
        item->setExpanded(true);
    }
    m_achievementsProblem = error ? tr("Progress could not be loaded: %1").arg(error->message) : QString();
    showProblems();
}

void ServiceScreen::showProblems()
{
    // The leaderboard page says itself why it has no scores.
    m_error->setText(m_achievementsProblem);
    m_error->setVisible(!m_achievementsProblem.isEmpty());
}

} // namespace kestrune
