#pragma once

#include <QEvent>
#include <QHash>
#include <QList>
#include <QObject>
#include <QResizeEvent>

namespace kestrune::test {

// Records the size of every resize each watched object receives: how many
// times a widget was laid out, and at which sizes.
class ResizeRecorder final : public QObject
{
public:
    void watch(QObject *object) { object->installEventFilter(this); }
    QList<QSize> sizes(QObject *object) const { return m_seen.value(object); }
    void clear() { m_seen.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            m_seen[watched].append(static_cast<QResizeEvent *>(event)->size());
        return QObject::eventFilter(watched, event);
    }

private:
    QHash<QObject *, QList<QSize>> m_seen;
};

} // namespace kestrune::test
