#include "core/program/handoffmessage.h"

#include <QtEndian>

namespace HandOffMessage {

namespace {

constexpr char kMagic[] = "TNV1";
constexpr char kCommandMagic[] = "TNV2";
constexpr qsizetype kHeader = 8;

} // namespace

QByteArray encode(const QStringList &locations, PeerCommand command)
{
    const bool open = command == PeerCommand::Open;
    QByteArray payload = open ? QByteArray() : PeerCommands::name(command).toLatin1();
    const qsizetype count = qMin(locations.size(), kMaxLocations);
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArray line = locations.at(i).toUtf8();
        const bool first = open && i == 0;
        if (payload.size() + line.size() + (first ? 0 : 1) > kMaxPayload)
            break;
        if (!first)
            payload += '\n';
        payload += line;
    }
    QByteArray message(open ? kMagic : kCommandMagic, 4);
    char length[4];
    qToBigEndian(quint32(payload.size()), length);
    message.append(length, 4);
    return message + payload;
}

Status decode(const QByteArray &bytes, QStringList *locations)
{
    PeerCommand command = PeerCommand::Open;
    return decode(bytes, &command, locations);
}

Status decode(const QByteArray &bytes, PeerCommand *command, QStringList *locations)
{
    const bool open = bytes.startsWith(QByteArray(kMagic).left(bytes.size()));
    if (!open && !bytes.startsWith(QByteArray(kCommandMagic).left(bytes.size())))
        return Status::Invalid;
    if (bytes.size() < kHeader)
        return Status::Incomplete;
    const qsizetype length = qFromBigEndian<quint32>(bytes.constData() + 4);
    if (length > kMaxPayload || bytes.size() > kHeader + length)
        return Status::Invalid;
    if (bytes.size() < kHeader + length)
        return Status::Incomplete;
    const QString text = QString::fromUtf8(bytes.constData() + kHeader, length);
    *locations = text.isEmpty() && open ? QStringList() : text.split(u'\n');
    *command = PeerCommand::Open;
    if (!open) {
        const std::optional<PeerCommand> named = PeerCommands::fromName(locations->takeFirst());
        if (!named || *named == PeerCommand::Open)
            return Status::Invalid;
        *command = *named;
    }
    if (locations->size() > kMaxLocations)
        locations->resize(kMaxLocations);
    return Status::Complete;
}

} // namespace HandOffMessage
