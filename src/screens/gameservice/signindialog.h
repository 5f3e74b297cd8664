#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class QPushButton;

namespace kestrune {

class SignInViewController;

// Asks for a player name and signs in under it; closing it any other way
// declines. GUI thread.
class SignInDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit SignInDialog(std::shared_ptr<SignInViewController> screen, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }

    void accept() override;
    void reject() override;

private:
    std::shared_ptr<SignInViewController> m_screen;
    QLineEdit *m_name;
    QPushButton *m_signIn;
    bool m_answered = false;
};

} // namespace kestrune
