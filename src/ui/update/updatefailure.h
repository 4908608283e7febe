#pragma once

#include <QNetworkReply>
#include <QString>

// Why the update page could not be had, in words for the user: Qt's own
// error texts are English and name library internals.
namespace UpdateFailure {

// The cause of a failed transfer; `httpStatus` is the server's status code,
// or 0 when no answer came.
QString transferText(QNetworkReply::NetworkError error, int httpStatus);

QString noAnswerText();
QString tooLargeText();

} // namespace UpdateFailure
