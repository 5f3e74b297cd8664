#include "signindialog.h"

#include "gameservice/kit/signinviewcontroller.h"
#include "gameservice/network/serveraddress.h"
#include "platform/resources/resources.h"
#include "views/widgets/button.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QButtonGroup>
#include <QPointer>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kestrune {

namespace {

QLabel *titleLabel(const QString &text, QWidget *parent)
{
    auto *title = new QLabel(text, parent);
    QFont font = title->font();
    font.setPixelSize(20);
    font.setBold(true);
    title->setFont(font);
    return title;
}

QLabel *secondaryLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Resources::color(QStringLiteral("secondaryLabel")));
    label->setPalette(palette);
    return label;
}

Button *dialogButton(const QString &text, const QString &objectName, bool primary, QWidget *parent)
{
    // The app's own flat buttons, not the platform's (which come with icons).
    auto *button = new Button(text, parent);
    button->setObjectName(objectName);
    if (primary) {
        button->setBackgroundColorNames(QStringLiteral("accent"), QStringLiteral("placeholder"));
        button->setTitleColor(Qt::white);
    } else {
        button->setBackgroundColorNames(QStringLiteral("secondarySystemBackground"), QString());
        button->setTitleColor(Resources::color(QStringLiteral("label")));
    }
    button->setCornerRadius(18);
    button->setMinimumHeight(36);
    button->setAutoDefault(false);
    return button;
}

} // namespace

SignInDialog::SignInDialog(std::shared_ptr<SignInViewController> screen, QWidget *parent)
    : QDialog(parent)
    , m_screen(std::move(screen))
    , m_server(m_screen->serverAddress())
    , m_offersPlaces(m_screen->offersPlaces())
    , m_pages(new QStackedWidget(this))
    , m_name(new QLineEdit(this))
{
    setWindowTitle(tr("Game service"));
    setObjectName(QStringLiteral("signInDialog"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(20, 20, 20, 16);
    outer->addWidget(m_pages);

    // The first page: who signs in.
    auto *form = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(titleLabel(tr("Sign in"), form));
    m_intro = secondaryLabel(QString(), form);
    m_intro->setObjectName(QStringLiteral("signInIntro"));
    layout->addWidget(m_intro);
    m_name->setObjectName(QStringLiteral("playerName"));
    m_name->setMaxLength(40);
    layout->addWidget(m_name);
    if (m_offersPlaces) {
        m_thisComputer = new QRadioButton(tr("On this computer only"), form);
        m_thisComputer->setObjectName(QStringLiteral("thisComputerButton"));
        m_onServer = new QRadioButton(tr("On a Kestrune server"), form);
        m_onServer->setObjectName(QStringLiteral("serverButton"));
        auto *places = new QButtonGroup(form);
        places->addButton(m_thisComputer);
        places->addButton(m_onServer);
        m_serverEdit = new QLineEdit(m_server, form);
        m_serverEdit->setObjectName(QStringLiteral("serverAddress"));
        m_serverEdit->setPlaceholderText(tr("Server address, e.g. scores.example.org"));
        m_serverEdit->setAccessibleName(tr("Server address"));
        (m_server.isEmpty() ? m_thisComputer : m_onServer)->setChecked(true);
        auto *where = new QVBoxLayout;
        where->setSpacing(6);
        where->addWidget(m_thisComputer);
        where->addWidget(m_onServer);
        auto *address = new QHBoxLayout;
        address->setContentsMargins(24, 0, 0, 0); // under its button's text
        address->addWidget(m_serverEdit);
        where->addLayout(address);
        layout->addLayout(where);
        connect(m_onServer, &QRadioButton::toggled, this, [this] { placeChanged(); });
    }
    m_status = secondaryLabel(QString(), form);
    m_status->setObjectName(QStringLiteral("signInStatus"));
    m_status->hide();
    layout->addWidget(m_status);
    if (m_offersPlaces || !m_server.isEmpty()) {
        m_existing = new QPushButton(form);
        m_existing->setObjectName(QStringLiteral("existingAccountButton"));
        m_existing->setFlat(true);
        // Return belongs to Sign in, whatever has the focus.
        m_existing->setAutoDefault(false);
        m_existing->setCursor(Qt::PointingHandCursor);
        QPalette link = m_existing->palette();
        link.setColor(QPalette::ButtonText, Resources::color(QStringLiteral("accent")));
        m_existing->setPalette(link);
        layout->addWidget(m_existing, 0, Qt::AlignLeft);
        connect(m_existing, &QPushButton::clicked, this, [this] {
            setRecovering(!m_recovering);
            m_name->setFocus(); // the field has changed meaning: type into it
        });
    }
    m_cancel = dialogButton(tr("Cancel"), QStringLiteral("cancelButton"), false, form);
    m_signIn = dialogButton(tr("Sign in"), QStringLiteral("signInButton"), true, form);
    m_signIn->setEnabled(false);
    m_signIn->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(m_cancel, 1);
    buttons->addWidget(m_signIn, 1);
    layout->addLayout(buttons);
    m_pages->addWidget(form);
    setRecovering(false);

    // Tab follows the form from top to bottom; the name field, made first,
    // is where the keyboard starts.
    QList<QWidget *> order{m_name};
    if (m_offersPlaces)
        order << m_thisComputer << m_onServer << m_serverEdit;
    if (m_existing)
        order << m_existing;
    order << m_cancel << m_signIn;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));

    setMinimumWidth(320);
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_signIn->setEnabled(!m_busy && !text.trimmed().isEmpty()); });
    connect(m_signIn, &QPushButton::clicked, this, &SignInDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &SignInDialog::reject);
}

bool SignInDialog::onServer() const
{
    return m_onServer ? m_onServer->isChecked() : !m_server.isEmpty();
}

QString SignInDialog::shownServer() const
{
    return m_serverEdit ? m_serverEdit->text().trimmed() : m_server;
}

void SignInDialog::setRecovering(bool recovering)
{
    m_recovering = recovering;
    const QString placeholder = recovering ? tr("Recovery code") : tr("Player name");
    m_name->clear();
    m_name->setPlaceholderText(placeholder);
    // A placeholder is gone once typing starts; the field keeps its name.
    m_name->setAccessibleName(placeholder);
    placeChanged();
}

void SignInDialog::placeChanged()
{
    m_status->hide();
    const bool server = onServer();
    if (m_serverEdit)
        m_serverEdit->setEnabled(server && !m_busy);
    if (m_existing) {
        m_existing->setVisible(server);
        m_existing->setText(m_recovering ? tr("Make a new account instead") : tr("I already have an account"));
        m_existing->setAccessibleName(m_existing->text());
    }
    if (!server && m_recovering) {
        setRecovering(false); // codes belong to servers
        return;
    }
    if (!server)
        m_intro->setText(tr("Sign in to keep your best scores and achievements."));
    else if (m_recovering)
        m_intro->setText(tr("Type the recovery code you were given when the account was made. "
                            "The account moves to this computer."));
    else if (m_offersPlaces)
        m_intro->setText(tr("Sign in to keep your best scores and achievements. On a server, other players see "
                            "them and can challenge you."));
    else
        m_intro->setText(tr("Your scores and achievements go to the Kestrune server at %1, "
                            "where other players see them.")
                             .arg(m_server));
}

void SignInDialog::setBusy(bool busy)
{
    m_busy = busy;
    m_name->setEnabled(!busy);
    if (m_thisComputer) {
        m_thisComputer->setEnabled(!busy);
        m_onServer->setEnabled(!busy);
        m_serverEdit->setEnabled(!busy && onServer());
    }
    if (m_existing)
        m_existing->setEnabled(!busy);
    // Gone before the answer, a new account's one showing of its recovery
    // code would be lost; the transport's timeout bounds the wait.
    m_cancel->setEnabled(!busy);
    m_signIn->setEnabled(!busy && !m_name->text().trimmed().isEmpty());
    m_signIn->setText(busy ? tr("Signing in…") : tr("Sign in"));
}

void SignInDialog::accept()
{
    const QString text = m_name->text().trimmed();
    if (m_code) { // the recovery code has been seen
        QDialog::accept();
        return;
    }
    if (text.isEmpty() || m_busy)
        return;
    if (!m_offersPlaces && m_server.isEmpty()) {
        // On this machine signing in cannot fail for want of a network.
        if (!m_answered) {
            m_answered = true;
            m_screen->submit(text);
        }
        QDialog::accept();
        return;
    }
    LocalPlayer::SignInRequest request;
    (m_recovering ? request.recoveryCode : request.displayName) = text;
    if (m_offersPlaces) {
        if (onServer()) {
            QString problem;
            const auto address = ServerAddress::normalise(shownServer(), &problem);
            if (!address) {
                showProblem(tr("Check the server's address: %1.").arg(problem));
                m_serverEdit->setFocus();
                return;
            }
            m_serverEdit->setText(*address);
            request.place = *address;
        } else {
            request.place = QString();
        }
    }
    m_answered = true;
    setBusy(true);
    m_status->hide();
    QPointer<SignInDialog> self(this);
    m_screen->submit(std::move(request), [self](OptionalError error, QString recoveryCode) {
        const QString problem = error ? error->message : QString();
        QMetaObject::invokeMethod(
            qApp,
            [self, problem, recoveryCode] {
                if (self)
                    self->finished(problem, recoveryCode);
            },
            Qt::QueuedConnection);
    });
}

void SignInDialog::showProblem(const QString &problem)
{
    m_status->setText(problem);
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText, Resources::color(QStringLiteral("systemRed")));
    m_status->setPalette(palette);
    m_status->show();
}

void SignInDialog::finished(const QString &problem, const QString &recoveryCode)
{
    setBusy(false);
    if (!problem.isEmpty()) {
        m_answered = false; // cancelling now declines, as before any attempt
        showProblem(problem);
        m_name->setFocus();
        return;
    }
    if (recoveryCode.isEmpty()) {
        QDialog::accept();
        return;
    }
    // The server keeps only a hash of the code: this is the one chance to note it.
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(titleLabel(tr("Your recovery code"), page));
    // Groups apart, so that a narrow card wraps between them, never inside.
    m_code = new QLabel(QString(recoveryCode).replace(QLatin1Char('-'), QLatin1Char(' ')), page);
    m_code->setWordWrap(true);
    m_recoveryCode = recoveryCode;
    m_code->setObjectName(QStringLiteral("recoveryCode"));
    m_code->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_code->setAlignment(Qt::AlignCenter);
    m_code->setAccessibleName(tr("Recovery code %1").arg(recoveryCode));
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(16);
    mono.setBold(true);
    m_code->setFont(mono);
    // On a tinted card of its own, so that it reads as the thing to keep.
    m_code->setStyleSheet(QStringLiteral("QLabel { background: %1; border-radius: 10px; padding: 12px 8px; }")
                              .arg(Resources::color(QStringLiteral("secondarySystemBackground")).name()));
    layout->addStretch(1);
    layout->addWidget(m_code);
    layout->addWidget(secondaryLabel(tr("Write it down. It brings this account to another computer, and it is "
                                        "shown only this once."),
                                     page));
    layout->addStretch(1);
    auto *done = dialogButton(tr("Done"), QStringLiteral("doneButton"), true, page);
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &SignInDialog::accept);
    layout->addWidget(done);
    m_pages->addWidget(page);
    m_pages->setCurrentWidget(page);
    done->setFocus();
}

QString SignInDialog::shownRecoveryCode() const
{
    return m_recoveryCode;
}

void SignInDialog::reject()
{
    if (m_busy)
        return; // see setBusy()
    if (m_code) { // signed in; closing is as good as Done
        QDialog::accept();
        return;
    }
    if (!m_answered) {
        m_answered = true;
        m_screen->cancel();
    }
    QDialog::reject();
}

} // namespace kestrune
