#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>

struct AppContext;
struct ServiceHosts;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;
class QWidget;
class UpdatePage;

// Asks the web service whether a newer version exists. The page is fetched in
// the background (the windows never wait for it), stored unchanged as
// updatex.ini in the application folder and read; when it announces a newer
// version the user is told in a box, and the download address is opened once
// the user has closed the box. A silent check (the one at start-up) ends quietly in
// every other case; a reporting check (the user asked for it) also says that
// the program is up to date, or why the check could not be done.
class UpdateCheck : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Silent, Reporting };
    enum class Outcome { Offered, UpToDate, Failed };
    Q_ENUM(Outcome)

    static constexpr qint64 kBodyLimit = 1024 * 1024;
    static constexpr std::chrono::milliseconds kDefaultTimeout { 30000 };

    // Boxes are shown over `boxParent` while it exists.
    UpdateCheck(
        AppContext &context, Mode mode, QWidget *boxParent = nullptr, QObject *parent = nullptr);
    ~UpdateCheck() override;

    // https:// + the service host + /tunvia/updatex.htm; the environment
    // variable TUNVIA_UPDATE_URL replaces the whole address (tests, mirrors).
    static QString pageAddress(const ServiceHosts &hosts);

    void setAddress(const QString &address) { m_address = address; }
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    bool isRunning() const { return m_running; }

    // Makes this check, running or not, one that reports its outcome, with
    // its boxes over `boxParent`: a request during a running check joins it.
    void reportOutcome(QWidget *boxParent);

public Q_SLOTS:
    // Does nothing while a check is running.
    void start();

Q_SIGNALS:
    // After the box, if any, was closed and the address handed on.
    void finished(UpdateCheck::Outcome outcome);

private:
    void takeBody();
    void abortWith(const QString &reason);
    void fetchEnded();
    void conclude(const QByteArray &body);
    void offer(const UpdatePage &page);
    void finish(Outcome outcome, const QString &report = {});

    AppContext &m_context;
    Mode m_mode;
    QPointer<QWidget> m_boxParent;
    QString m_address;
    std::chrono::milliseconds m_timeout = kDefaultTimeout;
    QNetworkAccessManager *m_network = nullptr;
    QTimer *m_deadline = nullptr;
    QNetworkReply *m_reply = nullptr;
    QByteArray m_body;
    QString m_abortReason; // set when we cut the transfer ourselves
    bool m_running = false;
};
