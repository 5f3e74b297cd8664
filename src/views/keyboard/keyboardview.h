#pragma once

#include "game/code/code.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QAbstractButton;
class QFrame;
class QTimer;

namespace Ui {
class KeyboardView;
}

namespace kestrune {

class Button;
class KeyboardViewDelegate;
class RippleButton;

// One player's keypad: digits 1-9, backspace and shot. It builds the code
// being typed (at most four digits, none repeated), shows it through its
// delegate and hands a complete code to the delegate's game. Buttons are
// enabled so that only legal input can be made; hardware keys obey the same
// buttons. Holding backspace clears the code. Tab reaches the keypad and
// then its keys in reading order; a focused key takes Space, and Return too
// unless the row is full: then Return shoots, whichever key has focus. A key
// that is switched off hands its focus to the shot button when the row is
// full, else to the next key still on, else to the keypad. GUI thread only.
class KeyboardView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int codeLength = Code::length;

    explicit KeyboardView(QWidget *parent = nullptr);
    ~KeyboardView() override;

    // The code padded with "•" to four characters.
    static QString paddedText(const QString &code);

    QString code() const { return m_code; }
    // Runs the change handling: a longer code is shown through the delegate,
    // then the buttons follow the new code.
    void setCode(const QString &code);

    // Not owned; held weakly when it is a QObject.
    KeyboardViewDelegate *delegate() const;
    void setDelegate(KeyboardViewDelegate *delegate);

    void setButtonsEnabled(bool enabled);
    // Digits on when allowed and not yet typed; shot on for four digits;
    // backspace on for a non-empty code.
    void updateButtons(bool digitsAllowed);
    // One hardware key by its usage code; a disabled button's key does nothing.
    void handleKey(int usageCode);

    const QList<RippleButton *> &numericButtons() const { return m_numericButtons; }
    Button *backspaceButton() const;
    Button *shotButton() const;

    // How long backspace must be held to clear the code.
    void setLongPressDuration(int ms);

    void numericButtonAction(QAbstractButton *sender);
    void backspaceButtonAction();
    void backspaceButtonLongPressAction();
    void shotButtonAction();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QList<QAbstractButton *> keys() const;
    // Switches every key by `enabled`, first moving the focus off a key that
    // is about to go dark.
    void applyButtonStates(const std::function<bool(QAbstractButton *)> &enabled);
    void notifyDelegate(const QString &text);
    bool showsFocus() const;

    std::unique_ptr<Ui::KeyboardView> ui;
    QList<RippleButton *> m_numericButtons;
    KeyboardViewDelegate *m_delegate = nullptr;
    QPointer<QObject> m_delegateObject;
    bool m_delegateIsObject = false;
    QString m_code;
    QTimer *m_longPress;
    QFrame *m_focusFrame;
    bool m_longPressFired = false;
};

} // namespace kestrune
