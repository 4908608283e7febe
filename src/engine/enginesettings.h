#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The engine's performance and connection settings. They are kept in the
// engine's own file, engine.ini (INI format) in the application folder,
// apart from the program's lists.
struct EngineSettings
{
    enum class RtspTransport { Auto, Tcp, Udp };
    using Options = QList<QPair<QByteArray, QByteArray>>;

    static constexpr int minTimeout = 2;
    static constexpr int maxTimeout = 120;
    static constexpr int minBuffer = 1;
    static constexpr int maxBuffer = 256;

    int networkTimeout = 15; // seconds
    int bufferMegabytes = 32; // read-ahead of the demuxer cache
    RtspTransport rtspTransport = RtspTransport::Auto;
    QString httpProxy; // empty: no proxy

    bool operator==(const EngineSettings &other) const = default;

    // Missing or damaged values fall back to the defaults; numbers are clamped.
    // Only a regular file of a sane size is read, and a save replaces the
    // file atomically and never through a link others could have placed
    // (see SafeSave).
    static EngineSettings load(const QString &path);
    static EngineSettings fromIni(const QByteArray &bytes);
    bool save(const QString &path) const;

    // A proxy is empty or an http URL with a host.
    static bool isValidProxy(const QString &proxy);

    // The player core options these settings stand for, as name and value.
    Options coreOptions() const;
};
