#include "support/scriptedprompts.h"

Prompts::Answer ScriptedPrompts::message(
    QWidget *, const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    asked.append({ QStringLiteral("message"), text, title, icon, buttons, {}, {}, {} });
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    }
    return Answer::Cancel;
}

QString ScriptedPrompts::input(
    QWidget *, const QString &prompt, const QString &title, const QString &defaultText)
{
    asked.append({ QStringLiteral("input"), prompt, title, Icon::None, Buttons::OkCancel,
        defaultText, {}, {} });
    return nextText();
}

QString ScriptedPrompts::openFile(QWidget *, const QString &filter, const QString &startFolder)
{
    asked.append({ QStringLiteral("openFile"), {}, {}, Icon::None, Buttons::OkCancel, {}, filter,
        startFolder });
    return nextText();
}

QString ScriptedPrompts::saveFile(
    QWidget *, const QString &filter, const QString &startFolder, const QString &proposedName)
{
    asked.append({ QStringLiteral("saveFile"), {}, {}, Icon::None, Buttons::OkCancel, proposedName,
        filter, startFolder });
    return nextText();
}

QString ScriptedPrompts::directory(QWidget *, const QString &startFolder)
{
    asked.append({ QStringLiteral("directory"), {}, {}, Icon::None, Buttons::OkCancel, {}, {},
        startFolder });
    return nextText();
}

QString ScriptedPrompts::nextText()
{
    return texts.isEmpty() ? QString() : texts.dequeue();
}
