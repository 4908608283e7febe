#pragma once

#include "ui/common/prompts.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Answers prompts from queues and records what was asked, so tests can check
// the wording. An empty queue answers like a cancel (or OK for a plain message).
class ScriptedPrompts : public Prompts
{
public:
    struct Asked
    {
        QString kind; // "message", "input", "openFile", "saveFile", "directory"
        QString text;
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        QString defaultText; // input default, or the proposed file name
        QString filter;
        QString startFolder;
    };

    QQueue<Answer> answers;
    QQueue<QString> texts; // answers of input, openFile, saveFile and directory
    QList<Asked> asked;

    Answer message(QWidget *parent, const QString &text, const QString &title, Icon icon,
        Buttons buttons) override;
    QString input(QWidget *parent, const QString &prompt, const QString &title,
        const QString &defaultText) override;
    QString openFile(QWidget *parent, const QString &filter, const QString &startFolder) override;
    QString saveFile(QWidget *parent, const QString &filter, const QString &startFolder,
        const QString &proposedName) override;
    QString directory(QWidget *parent, const QString &startFolder) override;

private:
    QString nextText();
};
