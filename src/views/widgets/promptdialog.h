#pragma once

#include <QColor>
#include <QDialog>
#include <QList>

#include <memory>

namespace Ui {
class PromptDialog;
}

namespace kestrune {

class DialogButton;

// A modal popup: a title, a message and buttons, in a row or a column, at a
// preferred width. It closes only through its buttons: there is no
// dismissal by a tap outside or by a drag; Escape presses the cancel button
// when one is set, and does nothing otherwise. Return presses the default
// button: the last one, unless one is marked (setDefault). To assistive
// technology it is named by its title, described by its message.
class PromptDialog : public QDialog
{
    Q_OBJECT

public:
    enum class ButtonAlignment { horizontal, vertical };

    PromptDialog(const QString &title, const QString &message, QWidget *parent = nullptr);
    ~PromptDialog() override;

    void setButtonAlignment(ButtonAlignment alignment);
    ButtonAlignment buttonAlignment() const { return m_alignment; }
    // The dialog's width in points (its height follows from its content).
    void setPreferredWidth(int width);
    int preferredWidth() const { return m_preferredWidth; }

    // Takes the buttons over, in order; each is set up as it joins.
    void addButtons(const QList<DialogButton *> &buttons);
    const QList<DialogButton *> &buttons() const { return m_buttons; }
    // The button Escape presses; one of buttons(), or null for none.
    void setCancelButton(DialogButton *button);
    DialogButton *cancelButton() const { return m_cancel; }

    QString title() const;
    QString message() const;
    void setTitleColor(const QColor &color);
    void setMessageColor(const QColor &color);
    void setBackgroundColor(const QColor &color);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void tapped(DialogButton *button);
    void applyAlignment();

    std::unique_ptr<Ui::PromptDialog> ui;
    ButtonAlignment m_alignment = ButtonAlignment::horizontal;
    int m_preferredWidth = 340;
    QColor m_backgroundColor;
    QList<DialogButton *> m_buttons;
    DialogButton *m_cancel = nullptr;
};

} // namespace kestrune
