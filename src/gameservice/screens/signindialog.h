#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;

namespace kestrune {

class Button;
class SignInViewController;

// Asks for a player name and signs in under it; closing it any other way
// declines. GUI thread.
class SignInDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit SignInDialog(std::shared_ptr<SignInViewController> screen, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }
    Button *signInButton() const { return m_signIn; }

    void accept() override;
    void reject() override;

private:
    std::shared_ptr<SignInViewController> m_screen;
    QLineEdit *m_name;
    Button *m_signIn;
    bool m_answered = false;
};

} // namespace kestrune
