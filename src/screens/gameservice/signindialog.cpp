#include "signindialog.h"

#include "platform/resources/resources.h"
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
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(12);
    auto *title = new QLabel(tr("Sign in"), this);
    QFont titleFont = title->font();
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title);
    auto *intro = new QLabel(tr("Sign in to keep your best scores and achievements."), this);
    intro->setWordWrap(true);
    QPalette secondary = intro->palette();
    secondary.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    intro->setPalette(secondary);
    layout->addWidget(intro);
    m_name->setObjectName(QStringLiteral("playerName"));
    m_name->setPlaceholderText(tr("Player name"));
    m_name->setMaxLength(40);
    layout->addWidget(m_name);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_signIn = buttons->addButton(tr("Sign in"), QDialogButtonBox::AcceptRole);
    m_signIn->setEnabled(false);
    m_signIn->setDefault(true);
    layout->addWidget(buttons);
    setMinimumWidth(320);
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
