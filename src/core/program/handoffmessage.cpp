#include "core/program/handoffmessage.h"

#include <QtEndian>

namespace HandOffMessage {

namespace {

constexpr char kMagic[] = "TNV1";
constexpr qsizetype kHeader = 8;

} // namespace

QByteArray encode(const QStringList &locations)
{
    const QByteArray payload = locations.join(u'\n').toUtf8();
    QByteArray message(kMagic, 4);
    char length[4];
    qToBigEndian(quint32(payload.size()), length);
    message.append(length, 4);
    return message + payload;
}

Status decode(const QByteArray &bytes, QStringList *locations)
{
    if (!bytes.startsWith(QByteArray(kMagic).left(bytes.size())))
        return Status::Invalid;
    if (bytes.size() < kHeader)
        return Status::Incomplete;
    const qsizetype length = qFromBigEndian<quint32>(bytes.constData() + 4);
    if (length > kMaxPayload || bytes.size() > kHeader + length)
        return Status::Invalid;
    if (bytes.size() < kHeader + length)
        return Status::Incomplete;
    const QString text = QString::fromUtf8(bytes.constData() + kHeader, length);
    *locations = text.isEmpty() ? QStringList() : text.split(u'\n');
    return Status::Complete;
}

} // namespace HandOffMessage
