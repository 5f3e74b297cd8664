#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace kestrune {

// One item of a navigation bar: an image button or a custom widget. The bar
// builds the button; a custom widget belongs to the item (it goes with the
// item) and is shown inside the bar while the item is there.
class BarButtonItem : public QObject
{
    Q_OBJECT

public:
    // An image button; the name is a named image resource.
    BarButtonItem(const QString &imageName, QObject *parent = nullptr);
    // A custom widget, taken over.
    explicit BarButtonItem(QWidget *customView, QObject *parent = nullptr);
    ~BarButtonItem() override;

    QString imageName() const { return m_imageName; }
    QWidget *customView() const { return m_customView; }

    // The identifier tests find the item's button by (its object name).
    QString accessibilityIdentifier() const { return m_identifier; }
    void setAccessibilityIdentifier(const QString &identifier);
    // What assistive technology reads for the button.
    QString accessibleName() const { return m_accessibleName; }
    void setAccessibleName(const QString &name);
    // Shown on hover and read as the button's description: where an item
    // has a key, this is where the player learns it.
    QString toolTip() const { return m_toolTip; }
    void setToolTip(const QString &toolTip);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Taps the item, as the bar's button does.
    void trigger();

signals:
    void triggered();
    void changed();

private:
    QString m_imageName;
    QPointer<QWidget> m_customView;
    QString m_identifier;
    QString m_accessibleName;
    QString m_toolTip;
    bool m_enabled = true;
};

} // namespace kestrune
