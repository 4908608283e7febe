#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a clean end of the event loop, so the
// program ends through QCoreApplication::aboutToQuit like a normal exit and
// the playlist is saved. The handler only writes the signal's number to a
// pipe; the rest happens on the user-interface thread. One instance at a time.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

Q_SIGNALS:
    // Emitted on the user-interface thread just before the event loop is told to end.
    void received(int signalNumber);

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
};
