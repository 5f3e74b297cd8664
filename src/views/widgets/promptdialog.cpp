#include "promptdialog.h"
#include "ui_promptdialog.h"

#include "dialogbutton.h"
#include "platform/resources/resources.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kestrune {

namespace {
constexpr qreal cornerRadius = 14;

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}
} // namespace

PromptDialog::PromptDialog(const QString &title, const QString &message, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::PromptDialog>())
    , m_backgroundColor(Resources::color(QStringLiteral("dialogBackground")))
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    ui->titleLabel->setText(title);
    ui->messageLabel->setText(message);
    setAccessibleName(title);
    setAccessibleDescription(message);
    ui->messageLabel->setVisible(!message.isEmpty());
    setTextColor(ui->messageLabel, Resources::color(QStringLiteral("secondaryLabel")));
    setFixedWidth(m_preferredWidth);
}

PromptDialog::~PromptDialog() = default;

void PromptDialog::setButtonAlignment(ButtonAlignment alignment)
{
    m_alignment = alignment;
    applyAlignment();
}

void PromptDialog::setPreferredWidth(int width)
{
    m_preferredWidth = width;
    setFixedWidth(width);
}

void PromptDialog::addButtons(const QList<DialogButton *> &buttons)
{
    for (DialogButton *button : buttons) {
        ui->buttonsLayout->addWidget(button);
        button->ensurePolished();
        connect(button, &QAbstractButton::clicked, this, [this, button] { tapped(button); });
        m_buttons.append(button);
    }
    // Return takes the last button unless one is marked the default.
    const bool marked = std::any_of(m_buttons.begin(), m_buttons.end(), [](DialogButton *b) { return b->isDefault(); });
    if (!marked && !m_buttons.isEmpty())
        m_buttons.last()->setDefault(true);
    applyAlignment();
}

void PromptDialog::setCancelButton(DialogButton *button)
{
    m_cancel = m_buttons.contains(button) ? button : nullptr;
}

QString PromptDialog::title() const
{
    return ui->titleLabel->text();
}

QString PromptDialog::message() const
{
    return ui->messageLabel->text();
}

void PromptDialog::setTitleColor(const QColor &color)
{
    setTextColor(ui->titleLabel, color);
}

void PromptDialog::setMessageColor(const QColor &color)
{
    setTextColor(ui->messageLabel, color);
}

void PromptDialog::setBackgroundColor(const QColor &color)
{
    m_backgroundColor = color;
    update();
}

void PromptDialog::tapped(DialogButton *button)
{
    // Copied: the action may destroy the dialog, and the button with it.
    const std::function<void()> action = button->action();
    if (button->dismissOnTap())
        accept();
    if (action)
        action();
}

void PromptDialog::applyAlignment()
{
    const bool row = m_alignment == ButtonAlignment::horizontal;
    ui->buttonsLayout->setDirection(row ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setLeadingSeparator(row && i > 0);
}

void PromptDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        if (m_cancel)
            m_cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PromptDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    painter.setClipPath(shape);
    painter.fillPath(shape, m_backgroundColor);
}

} // namespace kestrune
