#include "keyboardview.h"
#include "ui_keyboardview.h"

#include "game/gameprotocol.h"
#include "hardwarekey.h"
#include "keyboardviewdelegate.h"
#include "platform/resources/resources.h"
#include "views/widgets/accessiblesummary.h"
#include "views/widgets/ripplebutton.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleHints>
#include <QTimer>

namespace kestrune {

namespace {
const QString bullet = QStringLiteral("\u2022");
}

KeyboardView::KeyboardView(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::KeyboardView>())
    , m_longPress(new QTimer(this))
{
    ui->setupUi(this);
    // The keys cover the whole keypad, so its focus frame lies over them.
    m_focusFrame = new QFrame(this);
    m_focusFrame->setObjectName(QStringLiteral("focusFrame"));
    m_focusFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The ring only shows where the focus is; the focused key says that itself.
    AccessibleSummary::hideDecoration(m_focusFrame);
    m_focusFrame->hide();
    m_numericButtons = {ui->button1, ui->button2, ui->button3, ui->button4, ui->button5,
                        ui->button6, ui->button7, ui->button8, ui->button9};

    const QString enabledColor = QStringLiteral("keyboardEnabled");
    const QString disabledColor = QStringLiteral("keyboardDisabled");
    for (RippleButton *button : std::as_const(m_numericButtons)) {
        button->setBackgroundColorNames(enabledColor, disabledColor);
        connect(button, &QAbstractButton::clicked, this, [this, button] { numericButtonAction(button); });
    }
    for (RippleButton *button : {ui->backspaceButton, ui->shotButton})
        button->setBackgroundColorNames(enabledColor, disabledColor);
    ui->backspaceButton->setImageName(QStringLiteral("Backspace"));
    ui->shotButton->setImageName(QStringLiteral("Shot"));
    ui->backspaceButton->setIconSize(QSize(30, 30));
    ui->shotButton->setIconSize(QSize(34, 34));

    // The digits read as their titles; the two image keys need words.
    setAccessibleName(tr("Keypad"));
    setAccessibleDescription(tr("Type four different digits; Return shoots, Backspace deletes"));
    ui->backspaceButton->setAccessibleName(tr("Delete last digit"));
    ui->backspaceButton->setAccessibleDescription(tr("Hold to clear the code"));
    ui->shotButton->setAccessibleName(tr("Shoot"));
    ui->shotButton->setAccessibleDescription(tr("Takes the shot of four digits"));

    // Tab goes through the keys as they are read: digits in order, then backspace and shot.
    setFocusPolicy(Qt::TabFocus);
    QWidget *previous = this;
    for (QWidget *key : std::as_const(m_numericButtons)) {
        setTabOrder(previous, key);
        previous = key;
    }
    setTabOrder(previous, ui->backspaceButton);
    setTabOrder(ui->backspaceButton, ui->shotButton);
    for (QAbstractButton *key : keys())
        key->installEventFilter(this);

    connect(ui->backspaceButton, &QAbstractButton::clicked, this, [this] {
        // The press that cleared the code has done its work.
        if (!std::exchange(m_longPressFired, false))
            backspaceButtonAction();
    });
    connect(ui->shotButton, &QAbstractButton::clicked, this, &KeyboardView::shotButtonAction);

    // The long press: the platform's press-and-hold time, counted only while held.
    m_longPress->setSingleShot(true);
    m_longPress->setInterval(QGuiApplication::styleHints()->mousePressAndHoldInterval());
    connect(ui->backspaceButton, &QAbstractButton::pressed, this, [this] {
        m_longPressFired = false;
        m_longPress->start();
    });
    connect(ui->backspaceButton, &QAbstractButton::released, m_longPress, &QTimer::stop);
    connect(m_longPress, &QTimer::timeout, this, [this] {
        m_longPressFired = true;
        backspaceButtonLongPressAction();
    });

    updateButtons(true);
}

KeyboardView::~KeyboardView() = default;

QString KeyboardView::paddedText(const QString &code)
{
    return code + bullet.repeated(std::max<qsizetype>(0, codeLength - code.size()));
}

void KeyboardView::setCode(const QString &code)
{
    const QString previous = std::exchange(m_code, code);
    if (m_code.size() > previous.size())
        notifyDelegate(paddedText(m_code));
    updateButtons(m_code.size() < codeLength);
}

KeyboardViewDelegate *KeyboardView::delegate() const
{
    if (m_delegateIsObject && !m_delegateObject)
        return nullptr;
    return m_delegate;
}

void KeyboardView::setDelegate(KeyboardViewDelegate *delegate)
{
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject *>(delegate);
    m_delegateIsObject = m_delegateObject != nullptr;
}

void KeyboardView::setButtonsEnabled(bool enabled)
{
    applyButtonStates([enabled](QAbstractButton *) { return enabled; });
}

void KeyboardView::updateButtons(bool digitsAllowed)
{
    applyButtonStates([this, digitsAllowed](QAbstractButton *key) {
        if (key == ui->shotButton)
            return m_code.size() == codeLength;
        if (key == ui->backspaceButton)
            return !m_code.isEmpty();
        const QString title = key->text().isEmpty() ? QStringLiteral("NA") : key->text();
        return digitsAllowed && !m_code.contains(title);
    });
}

QList<QAbstractButton *> KeyboardView::keys() const
{
    QList<QAbstractButton *> all(m_numericButtons.begin(), m_numericButtons.end());
    all << ui->backspaceButton << ui->shotButton;
    return all;
}

void KeyboardView::applyButtonStates(const std::function<bool(QAbstractButton *)> &enabled)
{
    // Left to itself, Qt would pass the focus of a key going dark to the
    // next one in the chain: after the fourth digit that is backspace, and
    // Return would then delete instead of shoot.
    const QList<QAbstractButton *> all = keys();
    QWidget *focused = window()->focusWidget();
    auto *focusedKey = qobject_cast<QAbstractButton *>(focused);
    if (focusedKey && all.contains(focusedKey) && !enabled(focusedKey)) {
        // A full row goes to the shot; otherwise on to the next key that
        // stays on, as Tab would; with none, the keypad keeps the keys.
        QWidget *next = this;
        if (enabled(ui->shotButton) && m_code.size() == codeLength) {
            next = ui->shotButton;
        } else {
            const qsizetype at = all.indexOf(focusedKey);
            for (qsizetype step = 1; step < all.size(); ++step) {
                QAbstractButton *key = all.at((at + step) % all.size());
                if (enabled(key)) {
                    next = key;
                    break;
                }
            }
        }
        if (next != this)
            next->setEnabled(true);
        next->setFocus(Qt::OtherFocusReason);
    }
    for (QAbstractButton *key : all)
        key->setEnabled(enabled(key));
}

void KeyboardView::handleKey(int usageCode)
{
    if (const int digit = HardwareKey::digit(usageCode)) {
        const QString title = QString::number(digit);
        for (RippleButton *button : std::as_const(m_numericButtons)) {
            if (button->text() == title) {
                if (button->isEnabled())
                    numericButtonAction(button);
                return;
            }
        }
        return;
    }
    switch (usageCode) {
    case HardwareKey::returnKey:
    case HardwareKey::space:
    case HardwareKey::keypadEnter:
        if (ui->shotButton->isEnabled())
            shotButtonAction();
        break;
    case HardwareKey::deleteKey:
    case HardwareKey::keypadDelete:
        if (ui->backspaceButton->isEnabled())
            backspaceButtonAction();
        break;
    default:
        break;
    }
}

Button *KeyboardView::backspaceButton() const
{
    return ui->backspaceButton;
}

Button *KeyboardView::shotButton() const
{
    return ui->shotButton;
}

void KeyboardView::setLongPressDuration(int ms)
{
    m_longPress->setInterval(ms);
}

void KeyboardView::numericButtonAction(QAbstractButton *sender)
{
    if (m_code.size() < codeLength && sender && !sender->text().isEmpty())
        setCode(m_code + sender->text());
}

void KeyboardView::backspaceButtonAction()
{
    if (m_code.isEmpty())
        return;
    setCode(m_code.chopped(1));
    notifyDelegate(paddedText(m_code));
}

void KeyboardView::backspaceButtonLongPressAction()
{
    setCode(QString());
    notifyDelegate(paddedText(QString()));
}

void KeyboardView::shotButtonAction()
{
    if (m_code.size() != codeLength)
        return;
    const std::string digits = m_code.toStdString();
    setCode(QString());
    if (KeyboardViewDelegate *d = delegate()) {
        if (const std::shared_ptr<GameProtocol> game = d->game()) {
            // The buttons offer only unused digits, so a refusal is a bug here.
            [[maybe_unused]] const bool scored = game->shot(digits).has_value();
            Q_ASSERT_X(scored, "KeyboardView", "the keypad sent a shot the game refused");
        }
    }
}

void KeyboardView::notifyDelegate(const QString &text)
{
    if (KeyboardViewDelegate *d = delegate())
        d->codeDidChange(text);
}

bool KeyboardView::eventFilter(QObject *watched, QEvent *event)
{
    // A full row is meant to be sent: Return shoots from any key, so the
    // focus a Tab or Space left behind cannot turn it into a tap on that key.
    if (event->type() == QEvent::KeyPress && m_code.size() == codeLength && ui->shotButton->isEnabled()) {
        const int code = HardwareKey::usageCode(*static_cast<QKeyEvent *>(event));
        if (code == HardwareKey::returnKey || code == HardwareKey::keypadEnter) {
            shotButtonAction();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void KeyboardView::keyPressEvent(QKeyEvent *event)
{
    const int code = HardwareKey::usageCode(*event);
    if (code == HardwareKey::none) {
        QWidget::keyPressEvent(event);
        return;
    }
    handleKey(code);
}

void KeyboardView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_focusFrame->setGeometry(rect());
    // Digits grow with the keys, within reason.
    QFont digits = font();
    digits.setPixelSize(std::clamp(ui->button1->height() * 2 / 5, 14, 34));
    for (RippleButton *button : std::as_const(m_numericButtons))
        button->setFont(digits);
}

void KeyboardView::paintEvent(QPaintEvent *)
{
    // The gaps between the keys are the separators.
    QPainter painter(this);
    painter.fillRect(rect(), Resources::color(QStringLiteral("keyboardSeparator")));
}

bool KeyboardView::showsFocus() const
{
    // Only a focus reached from the keyboard is worth a frame: the keypad
    // holds the focus all game long for the hardware keys.
    return hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void KeyboardView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (!showsFocus())
        return;
    m_focusFrame->setStyleSheet(QStringLiteral("QFrame#focusFrame { border: 3px solid %1; }")
                                    .arg(Resources::color(QStringLiteral("accent")).name()));
    m_focusFrame->setGeometry(rect());
    m_focusFrame->raise();
    m_focusFrame->show();
}

void KeyboardView::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_focusFrame->setVisible(false);
}

} // namespace kestrune
