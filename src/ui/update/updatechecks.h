#pragma once

#include <QObject>
#include <QPointer>

struct AppContext;
class QWidget;
class UpdateCheck;

// When the update check runs: once per run after start-up (in builds with
// the check at start-up), and whenever the user asks; never two at a time.
// A request while a check runs joins it, and that check reports its outcome.
class UpdateChecks : public QObject
{
    Q_OBJECT
public:
    explicit UpdateChecks(AppContext &context, QObject *parent = nullptr);

    // The silent check of this run, a moment from now; later calls, and a
    // check the user started meanwhile, make it do nothing.
    void startOnceAfterStartUp(QWidget *boxParent);
    // "检查新版本": a check that says its outcome, its boxes over boxParent.
    void checkNow(QWidget *boxParent);

    bool isReporting() const { return m_reporting; }

Q_SIGNALS:
    // A check the user asked for started (true) or ended (false).
    void reportingChanged(bool running);

private:
    void start(bool reporting, QWidget *boxParent);
    void setReporting(bool reporting);

    AppContext &m_context;
    QPointer<UpdateCheck> m_running;
    bool m_reporting = false;
    bool m_startUpCheckAsked = false;
};
