#pragma once

#include <QObject>
#include <QString>

#include <functional>

struct AppContext;
class QWidget;

// The player window's commands that bring something to play or to look at:
// open a file, open an address, and the song search in the browser.
class PlayerCommands : public QObject
{
    Q_OBJECT
public:
    // play hands a chosen source to the engine.
    using Play = std::function<void(const QString &source)>;

    PlayerCommands(AppContext &context, QWidget *window, Play play);

    // Command2: asks for a media file and plays it at once.
    void openFile();
    // Command3: asks for a network address and plays it exactly as typed.
    void openAddress();
    // Command1: opens the service's song search for the text in the browser.
    void search(const QString &text, const QString &category);

private:
    AppContext &m_context;
    QWidget *m_window;
    Play m_play;
};
