#pragma once

#include <QApplication>

#include <optional>

namespace kestrune {

class StallWatch;

// The program's application object: a plain QApplication that can time
// the delivery of every event on the GUI thread for a developer
// (StallWatch, KESTRUNE_STALL_MS).
class Application final : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    ~Application() override;

    // Starts watching; events of other threads are never timed.
    void watchStalls(StallWatch *watch) { m_watch = watch; }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    StallWatch *m_watch = nullptr;
};

} // namespace kestrune
