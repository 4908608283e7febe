#include "ui/update/updatefailure.h"

namespace UpdateFailure {

QString transferText(QNetworkReply::NetworkError error, int httpStatus)
{
    if (httpStatus >= 400)
        return QStringLiteral("服务器回应了错误（HTTP 状态 %1）。").arg(httpStatus);
    switch (error) {
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
        return QStringLiteral("没有网络连接，或者找不到服务器。");
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::ProxyConnectionRefusedError:
        return QStringLiteral("服务器拒绝了连接。");
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::ProxyConnectionClosedError:
        return QStringLiteral("服务器没有送完更新信息就断开了连接。");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::OperationCanceledError:
        return noAnswerText();
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("无法与服务器建立安全连接。");
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::UnknownContentError:
        // Also what Qt reports for a compressed body that does not unpack
        // (or unpacks to a huge one).
        return QStringLiteral("服务器送来的数据无法解读或解压。");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("服务器转向的次数太多。");
    default:
        return QStringLiteral("与服务器之间的传输出错（错误代码 %1）。").arg(int(error));
    }
}

QString noAnswerText()
{
    return QStringLiteral("服务器没有在规定的时间内回应。");
}

QString tooLargeText()
{
    return QStringLiteral("服务器送来的更新信息超过 1 MB。");
}

} // namespace UpdateFailure
