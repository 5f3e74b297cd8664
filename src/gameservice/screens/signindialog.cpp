#include "signindialog.h"

#include "gameservice/kit/signinviewcontroller.h"
#include "platform/resources/resources.h"
#include "views/widgets/button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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
    // A placeholder is gone once typing starts; the field keeps its name.
    m_name->setAccessibleName(tr("Player name"));
    m_name->setMaxLength(40);
    layout->addWidget(m_name);
    // The app's own flat buttons, not the platform's (which come with icons).
    auto *cancel = new Button(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setBackgroundColorNames(QStringLiteral("secondarySystemBackground"), QString());
    cancel->setTitleColor(Resources::color(QStringLiteral("label")));
    m_signIn = new Button(tr("Sign in"), this);
    m_signIn->setObjectName(QStringLiteral("signInButton"));
    m_signIn->setBackgroundColorNames(QStringLiteral("accent"), QStringLiteral("placeholder"));
    m_signIn->setTitleColor(Qt::white);
    m_signIn->setEnabled(false);
    m_signIn->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    for (Button *button : {cancel, m_signIn}) {
        button->setCornerRadius(18);
        button->setMinimumHeight(36);
        button->setAutoDefault(false);
        buttons->addWidget(button, 1);
    }
    layout->addLayout(buttons);
    setMinimumWidth(320);
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_signIn->setEnabled(!text.trimmed().isEmpty()); });
    connect(m_signIn, &QPushButton::clicked, this, &SignInDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &SignInDialog::reject);
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
