#include "ui/update/updatechecks.h"

#include "ui/update/updatecheck.h"

#include <QTimer>
#include <QWidget>

#include <utility>

UpdateChecks::UpdateChecks(AppContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
}

void UpdateChecks::startOnceAfterStartUp(QWidget *boxParent)
{
#ifdef TUNVIA_UPDATE_CHECK
    if (m_startUpCheckAsked)
        return;
    m_startUpCheckAsked = true;
    QTimer::singleShot(100, this, [this, parent = QPointer<QWidget>(boxParent)] {
        if (!m_running) // the user's own check is the one of this run
            start(false, parent);
    });
#else
    Q_UNUSED(boxParent);
#endif
}

void UpdateChecks::checkNow(QWidget *boxParent)
{
    if (m_running) {
        m_running->reportOutcome(boxParent);
        setReporting(true);
        return;
    }
    start(true, boxParent);
}

void UpdateChecks::start(bool reporting, QWidget *boxParent)
{
    const auto mode = reporting ? UpdateCheck::Mode::Reporting : UpdateCheck::Mode::Silent;
    auto *check = new UpdateCheck(m_context, mode, boxParent, this);
    connect(check, &UpdateCheck::finished, this, [this, check] {
        check->deleteLater();
        setReporting(false);
    });
    m_running = check;
    setReporting(reporting);
    check->start();
}

void UpdateChecks::setReporting(bool reporting)
{
    if (std::exchange(m_reporting, reporting) != reporting)
        Q_EMIT reportingChanged(reporting);
}
