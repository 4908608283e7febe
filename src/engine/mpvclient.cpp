#include "engine/mpvclient.h"

#include <QPointer>

#include "engine/mpvlibrary.h"
#include "engine/mpvsymbols.h"

namespace {

// Valid once the engine exists: its core started only with the library.
const MpvSymbols &mpv()
{
    return *MpvLibrary::symbols();
}

mpv_handle *handleOf(void *handle)
{
    return static_cast<mpv_handle *>(handle);
}

QVariant fromNode(const mpv_node &node);

QVariant fromData(mpv_format format, const void *data)
{
    if (!data)
        return {};
    switch (format) {
    case MPV_FORMAT_FLAG:
        return *static_cast<const int *>(data) != 0;
    case MPV_FORMAT_INT64:
        return QVariant::fromValue<qlonglong>(*static_cast<const int64_t *>(data));
    case MPV_FORMAT_DOUBLE:
        return *static_cast<const double *>(data);
    case MPV_FORMAT_STRING:
    case MPV_FORMAT_OSD_STRING:
        return QString::fromUtf8(*static_cast<const char *const *>(data));
    case MPV_FORMAT_NODE:
        return fromNode(*static_cast<const mpv_node *>(data));
    default:
        return {};
    }
}

QVariant fromNode(const mpv_node &node)
{
    if (node.format == MPV_FORMAT_NODE_ARRAY || node.format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list *list = node.u.list;
        QVariantList items;
        QVariantMap map;
        for (int i = 0; i < list->num; ++i) {
            if (node.format == MPV_FORMAT_NODE_MAP)
                map.insert(QString::fromUtf8(list->keys[i]), fromNode(list->values[i]));
            else
                items << fromNode(list->values[i]);
        }
        return node.format == MPV_FORMAT_NODE_MAP ? QVariant(map) : QVariant(items);
    }
    return fromData(node.format, &node.u);
}

mpv_format formatFor(QMetaType::Type type)
{
    switch (type) {
    case QMetaType::Bool:
        return MPV_FORMAT_FLAG;
    case QMetaType::LongLong:
        return MPV_FORMAT_INT64;
    case QMetaType::Double:
        return MPV_FORMAT_DOUBLE;
    default:
        return MPV_FORMAT_STRING;
    }
}

MpvClient::Failure failureOf(int error)
{
    switch (error) {
    case 0:
        return MpvClient::Failure::None;
    case MPV_ERROR_LOADING_FAILED:
        return MpvClient::Failure::LoadingFailed;
    case MPV_ERROR_UNKNOWN_FORMAT:
        return MpvClient::Failure::UnknownFormat;
    case MPV_ERROR_NOTHING_TO_PLAY:
        return MpvClient::Failure::NothingToPlay;
    case MPV_ERROR_AO_INIT_FAILED:
        return MpvClient::Failure::AudioOutput;
    default:
        return MpvClient::Failure::Other;
    }
}

MpvClient::EndReason reasonOf(mpv_end_file_reason reason)
{
    switch (reason) {
    case MPV_END_FILE_REASON_EOF:
        return MpvClient::EndReason::Eof;
    case MPV_END_FILE_REASON_QUIT:
        return MpvClient::EndReason::Quit;
    case MPV_END_FILE_REASON_ERROR:
        return MpvClient::EndReason::Error;
    case MPV_END_FILE_REASON_REDIRECT:
        return MpvClient::EndReason::Redirect;
    default:
        return MpvClient::EndReason::Stop;
    }
}

} // namespace

std::unique_ptr<MpvClient> MpvClient::create(const Options &options)
{
    const std::unique_ptr<MpvCore> core = MpvCore::start(options);
    return core ? adopt(core->takeHandle()) : nullptr;
}

std::unique_ptr<MpvClient> MpvClient::adopt(void *handle)
{
    return std::unique_ptr<MpvClient>(new MpvClient(handle));
}

MpvClient::MpvClient(void *handle)
    : m_handle(handle)
{
    mpv().mpv_set_wakeup_callback(handleOf(m_handle), &MpvClient::wakeUp, this);
}

MpvClient::~MpvClient()
{
    mpv().mpv_set_wakeup_callback(handleOf(m_handle), nullptr, nullptr);
    mpv().mpv_terminate_destroy(handleOf(m_handle));
}

// Runs on a thread of the core: it only queues the draining into Qt's thread.
void MpvClient::wakeUp(void *client)
{
    auto *self = static_cast<MpvClient *>(client);
    if (!self->m_wakeQueued.exchange(true))
        QMetaObject::invokeMethod(self, &MpvClient::drainEvents, Qt::QueuedConnection);
}

void MpvClient::drainEvents()
{
    m_wakeQueued = false;
    if (m_draining) // a handler ran a nested event loop; the outer loop goes on
        return;
    m_draining = true;
    m_answered = false;
    QPointer<MpvClient> alive(this);
    while (alive) {
        const mpv_event *event = mpv().mpv_wait_event(handleOf(m_handle), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(event);
    }
    if (!alive)
        return;
    m_draining = false;
    // Also when the handlers sent as many commands as were answered meanwhile.
    if (m_answered)
        Q_EMIT commandsAnswered();
}

void MpvClient::handleEvent(const void *data)
{
    const auto *event = static_cast<const mpv_event *>(data);
    switch (event->event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto *property = static_cast<const mpv_event_property *>(event->data);
        Q_EMIT propertyChanged(
            QString::fromUtf8(property->name), fromData(property->format, property->data));
        break;
    }
    case MPV_EVENT_GET_PROPERTY_REPLY: {
        const auto *property = static_cast<const mpv_event_property *>(event->data);
        const QVariant value
            = event->error < 0 ? QVariant() : fromData(property->format, property->data);
        Q_EMIT propertyReply(event->reply_userdata, QString::fromUtf8(property->name), value);
        break;
    }
    case MPV_EVENT_START_FILE:
        Q_EMIT fileStarted();
        break;
    case MPV_EVENT_FILE_LOADED:
        Q_EMIT fileLoaded();
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<const mpv_event_end_file *>(event->data);
        Q_EMIT fileEnded(reasonOf(end->reason), failureOf(end->error));
        break;
    }
    case MPV_EVENT_IDLE:
        Q_EMIT idle();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        Q_EMIT playbackRestarted();
        break;
    case MPV_EVENT_COMMAND_REPLY:
        m_pendingCommands = qMax(0, m_pendingCommands - 1);
        m_answered = true;
        if (event->error < 0 && event->reply_userdata != 0)
            Q_EMIT commandFailed(event->reply_userdata, failureOf(event->error));
        break;
    default:
        break;
    }
}

namespace {

// Command arguments as the C strings libmpv takes, kept alive with the object.
struct CommandArguments
{
    explicit CommandArguments(const QStringList &arguments)
    {
        for (const QString &argument : arguments)
            bytes << argument.toUtf8();
        for (const QByteArray &argument : std::as_const(bytes))
            pointers << argument.constData();
        pointers << nullptr;
    }
    QList<QByteArray> bytes;
    QList<const char *> pointers;
};

} // namespace

void MpvClient::command(const QStringList &arguments, quint64 tag)
{
    CommandArguments command(arguments);
    const int error = mpv().mpv_command_async(handleOf(m_handle), tag, command.pointers.data());
    if (error >= 0)
        ++m_pendingCommands;
    // A command the core refuses outright (bad arguments) never gets a reply.
    if (error < 0 && tag != 0) {
        const Failure failure = failureOf(error);
        QMetaObject::invokeMethod(
            this, [this, tag, failure] { Q_EMIT commandFailed(tag, failure); },
            Qt::QueuedConnection);
    }
}

void MpvClient::commandAndWait(const QStringList &arguments)
{
    CommandArguments command(arguments);
    mpv().mpv_command(handleOf(m_handle), command.pointers.data());
}

void MpvClient::setProperty(const char *name, const QVariant &value)
{
    mpv_handle *handle = handleOf(m_handle);
    switch (value.typeId()) {
    case QMetaType::Bool: {
        int flag = value.toBool() ? 1 : 0;
        mpv().mpv_set_property_async(handle, 0, name, MPV_FORMAT_FLAG, &flag);
        break;
    }
    case QMetaType::Double:
    case QMetaType::Int: {
        double number = value.toDouble();
        mpv().mpv_set_property_async(handle, 0, name, MPV_FORMAT_DOUBLE, &number);
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        const char *pointer = text.constData();
        mpv().mpv_set_property_async(handle, 0, name, MPV_FORMAT_STRING, &pointer);
        break;
    }
    }
}

void MpvClient::observe(const char *name, QMetaType::Type type)
{
    mpv().mpv_observe_property(handleOf(m_handle), 0, name, formatFor(type));
}

void MpvClient::requestProperty(const QByteArray &name, quint64 tag)
{
    mpv().mpv_get_property_async(handleOf(m_handle), tag, name.constData(), MPV_FORMAT_NODE);
}
