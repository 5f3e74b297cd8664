#include "challengespage.h"
#include "ui_challengespage.h"

#include "challengerow.h"

#include "gameservice/kit/servicebackend.h"
#include "gameservice/kit/servicekit.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/resources/resources.h"
#include "views/widgets/button.h"

#include <QApplication>
#include <QPointer>

#include <algorithm>

namespace kestrune {

namespace {
// Runs `f` on the GUI thread if the page still exists by then.
template<typename F> void onPage(const QPointer<ChallengesPage> &page, F f)
{
    DispatchQueue::main([page, f = std::move(f)] {
        if (page)
            f(page.data());
    });
}
} // namespace

ChallengesPage::ChallengesPage(std::shared_ptr<ServiceKit> kit, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ChallengesPage>())
    , m_kit(std::move(kit))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("challengesPage"));
    QPalette secondary = palette();
    secondary.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    ui->statusLabel->setPalette(secondary);
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText, Resources::color(QStringLiteral("systemRed")));
    ui->errorLabel->setPalette(warning);
    ui->errorLabel->hide();
    ui->scrollArea->hide();
    ui->pageEnd->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
}

ChallengesPage::~ChallengesPage() = default;

bool ChallengesPage::serviceHasChallenges(ServiceKit &kit)
{
    return kit.hasChallenges() && kit.backend().needsNetwork();
}

QLabel *ChallengesPage::statusLabel() const
{
    return ui->statusLabel;
}

QLabel *ChallengesPage::errorLabel() const
{
    return ui->errorLabel;
}

QList<ChallengeRow *> ChallengesPage::rows() const
{
    return ui->listView->findChildren<ChallengeRow *>(QString(), Qt::FindDirectChildrenOnly);
}

void ChallengesPage::load()
{
    if (!serviceHasChallenges(*m_kit)) {
        showStatus(tr("Challenges need a Kestrune server. On this computer there are no other players to send "
                      "them."));
        return;
    }
    const QPointer<ChallengesPage> self(this);
    m_kit->loadReceivedChallenges([self](std::vector<Challenge> challenges, OptionalError error) {
        onPage(self, [challenges = std::move(challenges), error](ChallengesPage *page) {
            page->showChallenges(challenges, error);
        });
    });
}

void ChallengesPage::showStatus(const QString &text)
{
    qDeleteAll(rows());
    ui->statusLabel->setText(text);
    ui->statusLabel->show();
    ui->scrollArea->hide();
    ui->pageEnd->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
    layout()->invalidate();
}

void ChallengesPage::showChallenges(std::vector<Challenge> challenges, const OptionalError &error)
{
    ui->errorLabel->hide();
    if (error) {
        showStatus(tr("Challenges could not be loaded: %1").arg(error->message));
        return;
    }
    if (challenges.empty()) {
        showStatus(tr("No challenges. Players who want to beat you send them here."));
        return;
    }
    qDeleteAll(rows());
    std::stable_sort(challenges.begin(), challenges.end(),
                     [](const Challenge &a, const Challenge &b) { return a.issueDate > b.issueDate; });
    // Before the closing spacer, in order.
    int at = 0;
    QWidget *previous = nullptr;
    for (Challenge &c : challenges) {
        auto *row = new ChallengeRow(std::move(c), ui->listView);
        ui->listLayout->insertWidget(at++, row);
        connect(row, &ChallengeRow::playRequested, this, [this, row] { emit playRequested(row->challenge()); });
        connect(row, &ChallengeRow::dismissRequested, this, [this, row] { dismiss(row); });
        // Tab goes row by row, "Play it" before "Dismiss" in each.
        if (previous)
            setTabOrder(previous, row->playButton());
        setTabOrder(row->playButton(), row->dismissButton());
        previous = row->dismissButton();
    }
    ui->statusLabel->hide();
    ui->scrollArea->show();
    ui->pageEnd->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    layout()->invalidate();
}

void ChallengesPage::dismiss(ChallengeRow *row)
{
    row->setBusy(true);
    const QPointer<ChallengesPage> self(this);
    const QPointer<ChallengeRow> which(row);
    m_kit->dismissChallenge(row->challenge().identifier, [self, which](OptionalError error) {
        onPage(self, [which, error](ChallengesPage *page) {
            if (which)
                page->dismissed(which.data(), error);
        });
    });
}

void ChallengesPage::dismissed(ChallengeRow *row, const OptionalError &error)
{
    if (error) {
        row->setBusy(false);
        ui->errorLabel->setText(tr("The challenge could not be dismissed: %1").arg(error->message));
        ui->errorLabel->show();
        return;
    }
    ui->errorLabel->hide();
    const bool hadFocus = row->isAncestorOf(QApplication::focusWidget());
    delete row;
    const QList<ChallengeRow *> left = rows();
    if (left.isEmpty())
        showStatus(tr("No challenges. Players who want to beat you send them here."));
    else if (hadFocus)
        left.front()->playButton()->setFocus(Qt::OtherFocusReason);
}

} // namespace kestrune
