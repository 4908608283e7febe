#pragma once

#include "app/windowset.h"
#include "support/testhub.h"
#include "ui/common/appcontext.h"
#include "ui/playlist/playlistwindow.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

// The fake-wired windows of TestHub, with the lists docked and helpers to
// read and write files in the application folder.
struct PlaylistFixture : TestHub
{
    PlaylistFixture() { state.lockMode = LockMode::Locked; }

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
