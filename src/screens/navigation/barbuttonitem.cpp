#include "barbuttonitem.h"

namespace kestrune {

BarButtonItem::BarButtonItem(const QString &imageName, QObject *parent)
    : QObject(parent)
    , m_imageName(imageName)
{
}

BarButtonItem::BarButtonItem(QWidget *customView, QObject *parent)
    : QObject(parent)
    , m_customView(customView)
{
}

BarButtonItem::~BarButtonItem()
{
    delete m_customView.data();
}

void BarButtonItem::setAccessibilityIdentifier(const QString &identifier)
{
    m_identifier = identifier;
    emit changed();
}

void BarButtonItem::setAccessibleName(const QString &name)
{
    m_accessibleName = name;
    emit changed();
}

void BarButtonItem::setToolTip(const QString &toolTip)
{
    m_toolTip = toolTip;
    emit changed();
}

void BarButtonItem::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    emit changed();
}

void BarButtonItem::trigger()
{
    if (m_enabled)
        emit triggered();
}

} // namespace kestrune
