#include "challengerow.h"

#include "servicebuttonstyle.h"

#include "platform/resources/resources.h"
#include "views/widgets/button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace kestrune {

namespace {
QString senderName(const Challenge &c)
{
    return c.issuingPlayerName.isEmpty() ? ChallengeRow::tr("A player") : c.issuingPlayerName;
}
} // namespace

ChallengeRow::ChallengeRow(Challenge challenge, QWidget *parent)
    : QFrame(parent)
    , m_challenge(std::move(challenge))
    , m_title(new QLabel(this))
    , m_message(new QLabel(this))
    , m_date(new QLabel(this))
    , m_play(new Button(tr("Play it"), this))
    , m_dismiss(new Button(tr("Dismiss"), this))
{
    setObjectName(QStringLiteral("challengeRow"));
    const QString name = senderName(m_challenge);
    setAccessibleName(tr("Challenge from %1").arg(name));
    setAutoFillBackground(true);
    QPalette card = palette();
    card.setColor(QPalette::Window, Resources::color(QStringLiteral("secondarySystemBackground")));
    card.setColor(QPalette::WindowText, Resources::color(QStringLiteral("label")));
    setPalette(card);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(4);

    m_title->setObjectName(QStringLiteral("challengeTitle"));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setWordWrap(true);
    m_title->setText(tr("%1 — beat %2").arg(name, QLocale().toString(qlonglong(m_challenge.score))));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(m_title);

    m_message->setObjectName(QStringLiteral("challengeMessage"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setText(m_challenge.message);
    m_message->setVisible(!m_challenge.message.isEmpty());
    layout->addWidget(m_message);

    QPalette secondary = card;
    secondary.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    m_date->setObjectName(QStringLiteral("challengeDate"));
    m_date->setPalette(secondary);
    if (m_challenge.issueDate.isValid())
        m_date->setText(QLocale().toString(m_challenge.issueDate.toLocalTime().date(), QLocale::ShortFormat));
    m_date->setVisible(m_challenge.issueDate.isValid());
    layout->addWidget(m_date);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch(1);
    m_dismiss->setObjectName(QStringLiteral("dismissButton"));
    m_dismiss->setAccessibleName(tr("Dismiss %1's challenge").arg(name));
    styleServiceButton(*m_dismiss, false);
    // On the card's own background, the button's must differ to be seen.
    m_dismiss->setBackgroundColorNames(QStringLiteral("systemBackground"), QStringLiteral("placeholder"));
    m_dismiss->setMinimumWidth(96);
    buttons->addWidget(m_dismiss);
    m_play->setObjectName(QStringLiteral("playButton"));
    m_play->setAccessibleName(tr("Play %1's challenge").arg(name));
    styleServiceButton(*m_play, true);
    m_play->setMinimumWidth(96);
    buttons->addWidget(m_play);
    layout->addLayout(buttons);

    connect(m_play, &QPushButton::clicked, this, &ChallengeRow::playRequested);
    connect(m_dismiss, &QPushButton::clicked, this, &ChallengeRow::dismissRequested);
}

void ChallengeRow::setBusy(bool busy)
{
    m_play->setEnabled(!busy);
    m_dismiss->setEnabled(!busy);
}

} // namespace kestrune
