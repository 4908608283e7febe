#pragma once

#include <QObject>
#include <QString>

struct AppContext;
class MediaEngine;
class WindowHub;
class QWidget;

// The player window's commands that bring something to play or to look at:
// open a file, open an address, and the song search in the browser.
class PlayerCommands : public QObject
{
    Q_OBJECT
public:
    PlayerCommands(AppContext &context, WindowHub &hub, QWidget *window);

    // Command2: asks for a media file and plays it at once.
    void openFile();
    // Command3: asks for a network address and plays it exactly as typed.
    void openAddress();
    // Command1: opens the service's song search for the text in the browser.
    void search(const QString &text, const QString &category);

private:
    void play(const QString &source);

    AppContext &m_context;
    WindowHub &m_hub;
    QWidget *m_window;
};
