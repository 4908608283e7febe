#pragma once

#include "app/appcontext.h"
#include "app/windowhub.h"
#include "playlist/playlistwindow.h"
#include "support/fakeengine.h"
#include "support/recordinglauncher.h"
#include "support/scriptedprompts.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

// An application folder in a temporary directory, scripted dialogs, a
// recording launcher and a window hub whose engine is a FakeEngine.
struct PlaylistFixture
{
    QTemporaryDir dir;
    AppState state;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    AppContext context { state, prompts, launcher, AppFolder(dir.path()),
        ServiceHosts { QStringLiteral("svc.example"), QStringLiteral("partner.example") } };
    FakeEngine *engine = nullptr; // set when the hub creates the player window
    WindowHub hub { context, [this] {
                       auto created = std::make_unique<FakeEngine>();
                       engine = created.get();
                       return std::unique_ptr<MediaEngine>(std::move(created));
                   } };

    PlaylistFixture() { state.lockMode = 1; }

    QString file(const QString &name) const { return context.folder.file(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile out(file(name));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(bytes);
    }

    QByteArray readFile(const QString &name) const
    {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

    PlaylistWindow *playlist() { return hub.playlist(); }
};
