#include "core/program/handoffmessage.h"

#include <QtEndian>

namespace HandOffMessage {

namespace {

constexpr char kMagic[] = "TNV1";
constexpr qsizetype kHeader = 8;

} // namespace

QByteArray encode(const QStringList &locations)
{
    QByteArray payload;
    const qsizetype count = qMin(locations.size(), kMaxLocations);
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArray line = locations.at(i).toUtf8();
        if (payload.size() + line.size() + (i > 0 ? 1 : 0) > kMaxPayload)
            break;
        if (i > 0)
            payload += '\n';
        payload += line;
    }
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
    if (locations->size() > kMaxLocations)
        locations->resize(kMaxLocations);
    return Status::Complete;
}

} // namespace HandOffMessage
