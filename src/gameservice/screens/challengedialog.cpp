#include "challengedialog.h"
#include "ui_challengedialog.h"

#include "servicebuttonstyle.h"

#include "gameservice/kit/servicekit.h"
#include "platform/dispatch/dispatchqueue.h"
#include "platform/resources/resources.h"
#include "views/widgets/button.h"

#include <QLocale>
#include <QPointer>

namespace kestrune {

namespace {
// Runs `f` on the GUI thread if the dialog still exists by then.
template<typename F> void onDialog(const QPointer<ChallengeDialog> &dialog, F f)
{
    DispatchQueue::main([dialog, f = std::move(f)] {
        if (dialog)
            f(dialog.data());
    });
}

constexpr int playerIdRole = Qt::UserRole;
} // namespace

ChallengeDialog::ChallengeDialog(std::shared_ptr<ServiceKit> kit, QString leaderboard, std::int64_t score,
                                 QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ChallengeDialog>())
    , m_kit(std::move(kit))
    , m_leaderboard(std::move(leaderboard))
    , m_score(score)
    , m_me(m_kit->localPlayer().playerID().value_or(QString()))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("challengeDialog"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Resources::color(QStringLiteral("dialogBackground")));
    colours.setColor(QPalette::WindowText, Resources::color(QStringLiteral("label")));
    setPalette(colours);
    QPalette secondary = colours;
    secondary.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    ui->scoreLabel->setPalette(secondary);
    ui->statusLabel->setPalette(secondary);
    ui->scoreLabel->setText(tr("Who can beat your %1?").arg(QLocale().toString(qlonglong(m_score))));
    ui->messageEdit->setMaxLength(maximumMessageLength);
    ui->playerList->setStyleSheet(QStringLiteral("QListWidget::item { padding: 8px 4px; }"));

    styleServiceButton(*ui->cancelButton, false);
    styleServiceButton(*ui->sendButton, true);
    ui->sendButton->setDefault(true);
    connect(ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->sendButton, &QPushButton::clicked, this, &ChallengeDialog::send);
    connect(ui->playerList, &QListWidget::currentRowChanged, this, &ChallengeDialog::updateSendButton);
    connect(ui->playerList, &QListWidget::itemActivated, this, &ChallengeDialog::send);
    updateSendButton();
    loadPlayers();
}

ChallengeDialog::~ChallengeDialog() = default;

QListWidget *ChallengeDialog::playerList() const
{
    return ui->playerList;
}
QLineEdit *ChallengeDialog::messageEdit() const
{
    return ui->messageEdit;
}
QLabel *ChallengeDialog::statusLabel() const
{
    return ui->statusLabel;
}
Button *ChallengeDialog::sendButton() const
{
    return ui->sendButton;
}
Button *ChallengeDialog::cancelButton() const
{
    return ui->cancelButton;
}

void ChallengeDialog::loadPlayers()
{
    const QPointer<ChallengeDialog> self(this);
    // The best players and the player's neighbours: rivals of every kind.
    for (const auto window : {Leaderboard::Window::top, Leaderboard::Window::aroundMe}) {
        ++m_answersDue;
        m_kit->loadScores(m_leaderboard, Leaderboard::Query{Leaderboard::Scope::allTime, window},
                          [self](Leaderboard::Scores scores, OptionalError error) {
                              onDialog(self, [scores = std::move(scores), error](ChallengeDialog *dialog) {
                                  dialog->addPlayers(scores, error);
                              });
                          });
    }
}

void ChallengeDialog::addPlayers(const Leaderboard::Scores &scores, const OptionalError &error)
{
    --m_answersDue;
    if (error)
        m_loadProblem = error->message;
    for (const Score &s : scores.scores) {
        if (s.playerID().isEmpty() || s.playerID() == m_me)
            continue;
        bool known = false;
        for (int i = 0; i < ui->playerList->count() && !known; ++i)
            known = ui->playerList->item(i)->data(playerIdRole).toString() == s.playerID();
        if (known)
            continue;
        const QString name = s.displayName().isEmpty() ? s.playerID() : s.displayName();
        auto *item =
            new QListWidgetItem(tr("%1 — %2").arg(name, QLocale().toString(qlonglong(s.value()))), ui->playerList);
        item->setData(playerIdRole, s.playerID());
        item->setData(Qt::AccessibleTextRole, tr("%1, best score %2").arg(name).arg(s.value()));
        item->setData(Qt::UserRole + 1, name);
    }
    if (m_answersDue > 0 || m_sent)
        return;
    if (ui->playerList->count() == 0)
        ui->statusLabel->setText(m_loadProblem.isEmpty()
                                     ? tr("Nobody else is on the leaderboard yet.")
                                     : tr("The players could not be loaded: %1").arg(m_loadProblem));
    else
        ui->statusLabel->setText(tr("Pick a player."));
    if (ui->playerList->count() > 0 && ui->playerList->currentRow() < 0)
        ui->playerList->setCurrentRow(0);
    updateSendButton();
}

void ChallengeDialog::updateSendButton()
{
    ui->sendButton->setEnabled(!m_sending && !m_sent && ui->playerList->currentItem());
}

void ChallengeDialog::send()
{
    QListWidgetItem *item = ui->playerList->currentItem();
    if (!item || m_sending || m_sent)
        return;
    m_sending = true;
    updateSendButton();
    const QString to = item->data(playerIdRole).toString();
    const QString name = item->data(Qt::UserRole + 1).toString();
    ui->statusLabel->setText(tr("Sending…"));
    const QPointer<ChallengeDialog> self(this);
    m_kit->sendChallenge(to, m_leaderboard, m_score, ui->messageEdit->text().trimmed(),
                         [self, name](OptionalError error) {
                             onDialog(self, [name, error](ChallengeDialog *dialog) { dialog->sent(name, error); });
                         });
}

void ChallengeDialog::sent(const QString &name, const OptionalError &error)
{
    m_sending = false;
    if (error) {
        // Kept as it was, for another try.
        ui->statusLabel->setText(tr("Not sent: %1").arg(error->message));
    } else {
        m_sent = true;
        ui->statusLabel->setText(tr("Challenge sent to %1.").arg(name));
        ui->cancelButton->setText(tr("Done"));
        ui->cancelButton->setAccessibleName(tr("Done"));
        ui->cancelButton->setFocus(Qt::OtherFocusReason);
    }
    updateSendButton();
}

} // namespace kestrune
