#include "ui/update/updatecheck.h"
#include "core/program/texts.h"

#include "core/program/launcher.h"
#include "core/program/version.h"
#include "core/text/safesave.h"
#include "core/update/updatepage.h"
#include "core/web/servicehosts.h"
#include "ui/common/appcontext.h"
#include "ui/common/prompts.h"
#include "ui/update/updatefailure.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

// The desktop's proxy settings (http_proxy and the like), for this check
// only: the rest of the program keeps its own.
class SystemProxies final : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        return systemProxyForQuery(query);
    }
};

} // namespace

UpdateCheck::UpdateCheck(AppContext &context, Mode mode, QWidget *boxParent, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_mode(mode)
    , m_boxParent(boxParent)
    , m_address(pageAddress(context.hosts))
    , m_network(new QNetworkAccessManager(this))
    , m_deadline(new QTimer(this))
{
    m_network->setProxyFactory(new SystemProxies);
    m_deadline->setSingleShot(true);
    connect(
        m_deadline, &QTimer::timeout, this, [this] { abortWith(UpdateFailure::noAnswerText()); });
}

UpdateCheck::~UpdateCheck()
{
    if (m_reply)
        m_reply->disconnect(this); // its abort must not call back into a half-destroyed check
}

QString UpdateCheck::pageAddress(const ServiceHosts &hosts)
{
    const QString replacement = qEnvironmentVariable("TUNVIA_UPDATE_URL");
    if (!replacement.isEmpty())
        return replacement;
    return QStringLiteral("https://") + hosts.service + QStringLiteral("/tunvia/updatex.htm");
}

void UpdateCheck::start()
{
    if (m_running)
        return;
    m_running = true;
    m_body.clear();
    m_abortReason.clear();
    m_reply = m_network->get(QNetworkRequest(QUrl(m_address)));
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        if (!m_reply)
            return;
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kBodyLimit)
            abortWith(UpdateFailure::tooLargeText());
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateCheck::takeBody);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateCheck::fetchEnded);
    m_deadline->start(m_timeout);
}

void UpdateCheck::reportOutcome(QWidget *boxParent)
{
    m_mode = Mode::Reporting;
    m_boxParent = boxParent;
}

void UpdateCheck::takeBody()
{
    if (!m_reply)
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > kBodyLimit)
        abortWith(UpdateFailure::tooLargeText());
}

void UpdateCheck::abortWith(const QString &reason)
{
    if (!m_reply || !m_abortReason.isEmpty())
        return;
    m_abortReason = reason;
    m_reply->abort(); // emits finished at once
}

void UpdateCheck::fetchEnded()
{
    m_deadline->stop();
    QNetworkReply *reply = std::exchange(m_reply, nullptr);
    reply->deleteLater();
    QString failure = m_abortReason;
    if (failure.isEmpty() && reply->error() != QNetworkReply::NoError) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        failure = UpdateFailure::transferText(reply->error(), status);
    }
    if (failure.isEmpty()) {
        m_body += reply->readAll();
        if (m_body.size() > kBodyLimit)
            failure = UpdateFailure::tooLargeText();
    }
    const QByteArray body = std::exchange(m_body, {});
    // Boxes open from a fresh turn of the event loop, not from inside the
    // reply's signals.
    QTimer::singleShot(0, this, [this, body, failure] {
        if (failure.isEmpty())
            conclude(body);
        else
            finish(Outcome::Failed, failure);
    });
}

void UpdateCheck::conclude(const QByteArray &body)
{
    QString error;
    if (!SafeSave::replace(m_context.folder.file(QStringLiteral("updatex.ini")), body, &error)) {
        finish(Outcome::Failed, QStringLiteral("无法保存 updatex.ini（%1）。").arg(error));
        return;
    }
    const UpdatePage page(body);
    switch (page.verdictFor(VersionNumber::fromTenThousandths(kProgramVersion))) {
    case UpdatePage::Verdict::Newer:
        offer(page);
        return;
    case UpdatePage::Verdict::NotNewer:
        finish(Outcome::UpToDate, QStringLiteral("已经是最新版本。"));
        return;
    case UpdatePage::Verdict::TooShort:
    case UpdatePage::Verdict::NoVersion:
        finish(Outcome::Failed, QStringLiteral("服务器送来的不是版本说明，里面没有版本号。"));
        return;
    case UpdatePage::Verdict::UnsafeAddress:
        finish(Outcome::Failed, QStringLiteral("服务器送来的下载地址不是网页地址。"));
        return;
    }
}

void UpdateCheck::offer(const UpdatePage &page)
{
    const Prompts::Answer answer = m_context.prompts.message(m_boxParent, page.announcement(),
        QStringLiteral("发现本程序的新版本"), Prompts::Icon::Information, Prompts::Buttons::Ok);
    // However the user closed the box, the download starts: there is no way
    // to decline. A box a quit took away was not answered and opens nothing.
    if (answer == Prompts::Answer::Ok)
        m_context.launcher.openUrl(page.downloadAddress());
    finish(Outcome::Offered);
}

void UpdateCheck::finish(Outcome outcome, const QString &report)
{
    if (m_mode == Mode::Reporting && !report.isEmpty()) {
        const bool failed = outcome == Outcome::Failed;
        m_context.prompts.message(m_boxParent,
            failed ? QStringLiteral("未能检查新版本。\n") + report : report,
            Texts::kCheckForUpdate.toString(),
            failed ? Prompts::Icon::Warning : Prompts::Icon::Information, Prompts::Buttons::Ok);
    }
    m_running = false;
    Q_EMIT finished(outcome);
}
