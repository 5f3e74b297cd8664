#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace kestrune {

class Button;
class SignInViewController;

// Asks for a player name and signs in under it; closing it any other way
// declines. On a server it says which, offers to bring an existing account
// by its recovery code instead, stays open while the server answers (with
// its refusal, for another try) and shows a new account's recovery code
// once before it closes. GUI thread.
class SignInDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit SignInDialog(std::shared_ptr<SignInViewController> screen, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }
    Button *signInButton() const { return m_signIn; }
    // Switches between a new account (a name) and an existing one (its
    // recovery code); only on a server.
    QPushButton *existingAccountButton() const { return m_existing; }
    // Why the last attempt failed, or that one is under way.
    QLabel *statusLabel() const { return m_status; }
    // The recovery code once an account is made; empty before.
    QString shownRecoveryCode() const;
    // Where the scores go, when the service lets the player choose.
    QRadioButton *thisComputerButton() const { return m_thisComputer; }
    QRadioButton *serverButton() const { return m_onServer; }
    QLineEdit *serverEdit() const { return m_serverEdit; }

    void accept() override;
    void reject() override;

private:
    void setRecovering(bool recovering);
    // Texts and controls for the place chosen now.
    void placeChanged();
    bool onServer() const;
    void showProblem(const QString &problem);
    QString shownServer() const;
    void setBusy(bool busy);
    // On the GUI thread, with the server's answer.
    void finished(const QString &problem, const QString &recoveryCode);

    std::shared_ptr<SignInViewController> m_screen;
    const QString m_server; // where the service is as the dialog opens
    const bool m_offersPlaces;
    QStackedWidget *m_pages;
    QLabel *m_intro;
    QLineEdit *m_name;
    QLabel *m_status;
    QPushButton *m_existing = nullptr;
    Button *m_cancel;
    Button *m_signIn;
    QLabel *m_code = nullptr;
    QString m_recoveryCode;
    QRadioButton *m_thisComputer = nullptr;
    QRadioButton *m_onServer = nullptr;
    QLineEdit *m_serverEdit = nullptr;
    bool m_recovering = false;
    bool m_busy = false;
    bool m_answered = false;
};

} // namespace kestrune
