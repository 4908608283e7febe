#pragma once

#include "engine/entryerror.h"
#include "engine/mpvcore.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QVariant>

#include <atomic>
#include <memory>

// One libmpv player core behind a Qt face. Commands and property writes are
// asynchronous, so no call waits for the core or the network; the core's
// events arrive as signals on the thread that owns this object.
class MpvClient : public QObject
{
    Q_OBJECT
public:
    using Options = MpvCore::Options;
    enum class EndReason { Eof, Stop, Quit, Error, Redirect };
    using Failure = EntryError::Kind;

    // Sets the options, then initializes; null when libmpv cannot be created
    // or initialized.
    static std::unique_ptr<MpvClient> create(const Options &options);
    // Takes over a core started by MpvCore (an mpv_handle), on the thread
    // that is to own the client.
    static std::unique_ptr<MpvClient> adopt(void *handle);
    ~MpvClient() override;

    // A command with a tag other than 0 reports its failure as commandFailed.
    void command(const QStringList &arguments, quint64 tag = 0);
    // Commands sent and not yet answered. The core holds only so many
    // answers for a client (about 1000 events): past that it refuses new
    // commands, so long runs of commands must wait for answers.
    int pendingCommands() const { return m_pendingCommands; }
    void setProperty(const char *name, const QVariant &value);
    // type: QMetaType::Bool, LongLong, Double or QString.
    void observe(const char *name, QMetaType::Type type);
    // The answer comes as propertyReply with the same tag.
    void requestProperty(const QByteArray &name, quint64 tag);
    // Waits for the core: only for shutting down.
    void commandAndWait(const QStringList &arguments);

    // The core's handle (an mpv_handle), for the video renderer.
    void *nativeHandle() const { return m_handle; }

Q_SIGNALS:
    void propertyChanged(const QString &name, const QVariant &value);
    void propertyReply(quint64 tag, const QString &name, const QVariant &value);
    void fileStarted();
    void fileLoaded();
    void fileEnded(MpvClient::EndReason reason, MpvClient::Failure failure);
    void idle();
    // Playing goes on after an opening or a seek.
    void playbackRestarted();
    // A tagged command was refused or failed; always delivered from the event loop.
    void commandFailed(quint64 tag, MpvClient::Failure failure);
    // Answers to commands arrived, so pendingCommands() went down.
    void commandsAnswered();

private:
    explicit MpvClient(void *handle);
    static void wakeUp(void *client);
    void drainEvents();
    void handleEvent(const void *event);

    void *m_handle = nullptr;
    std::atomic_bool m_wakeQueued { false };
    bool m_draining = false;
    bool m_answered = false; // a command was answered in this round of events
    int m_pendingCommands = 0;
};
