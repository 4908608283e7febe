#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

// A private X server (Xvfb) for end-to-end tests of the real binary, with an
// optional window manager, driven through xdotool.
class XSession
{
public:
    XSession() = default;
    ~XSession();

    // True when Xvfb and xdotool are installed.
    static bool toolsAvailable();
    // Starts Xvfb on a free display; returns false when it does not come up.
    bool start(QSize screen = QSize(1280, 1024));
    // The server still runs (a test may keep one session for several cases).
    bool running() const;
    // What the server printed of its own since the last call.
    QByteArray serverOutput() const;
    // Starts openbox; returns false when it is missing or does not come up.
    bool startWindowManager();

    QString display() const { return m_display; }

    // An environment for a program on this display: HOME in `home`, the null
    // audio output, a UTF-8 locale.
    QProcessEnvironment environment(const QString &home) const;

    // Starts `program` on this display with environment(home), its errors on
    // ours; true once it has started.
    bool launch(QProcess &process, const QString &program, const QString &home,
        const QStringList &arguments = {}) const;

    // Runs an X client (xdotool, xprop, ...) on this display; returns its
    // standard output, trimmed.
    QString run(
        const QString &program, const QStringList &arguments, int *exitCode = nullptr) const;
    QString xdotool(const QStringList &arguments, int *exitCode = nullptr) const
    {
        return run(QStringLiteral("xdotool"), arguments, exitCode);
    }
    // Waits for a window whose name is exactly `name`; returns its id or "".
    QString waitForWindow(const QString &name, int timeoutMs = 10000) const;
    // The window's position and size in screen pixels.
    QRect geometry(const QString &windowId) const;
    void click(QPoint screenPos, int button = 1) const;
    // A screenshot of part of the screen (ImageMagick's import); null when
    // it cannot be taken.
    QImage grab(QRect area) const;

private:
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_windowManager;
    QString m_display;
};

// Copies the program into `folder`, so that its application folder is there.
QString installProgramCopy(const QString &binary, const QString &folder);
