#include "signindialog.h"

#include "platform/servicekit/signinviewcontroller.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrune {

SignInDialog::SignInDialog(std::shared_ptr<SignInViewController> screen, QWidget *parent)
    : QDialog(parent)
    , m_screen(std::move(screen))
    , m_name(new QLineEdit(this))
{
    setWindowTitle(tr("Game service"));
    setObjectName(QStringLiteral("signInDialog"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(tr("Sign in to keep your best scores and achievements."), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_name->setObjectName(QStringLiteral("playerName"));
    m_name->setPlaceholderText(tr("Player name"));
    m_name->setMaxLength(40);
    layout->addWidget(m_name);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_signIn = buttons->addButton(tr("Sign in"), QDialogButtonBox::AcceptRole);
    m_signIn->setEnabled(false);
    layout->addWidget(buttons);
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_signIn->setEnabled(!text.trimmed().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &SignInDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SignInDialog::reject);
}

void SignInDialog::accept()
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty())
        return;
    if (!m_answered) {
        m_answered = true;
        m_screen->submit(name);
    }
    QDialog::accept();
}

void SignInDialog::reject()
{
    if (!m_answered) {
        m_answered = true;
        m_screen->cancel();
    }
    QDialog::reject();
}

} // namespace kestrune
