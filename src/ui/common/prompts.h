#pragma once

#include <QString>

class QWidget;

// Every modal question the program asks goes through this interface, so the
// program passes Qt dialogs and tests pass scripted answers.
class Prompts
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo };
    // Unanswered: the box went away without the user closing it, as when
    // the program quits while it is open. No follow-up of the box runs then.
    enum class Answer { Ok, Cancel, Yes, No, Unanswered };

    virtual ~Prompts() = default;

    virtual Answer message(
        QWidget *parent, const QString &text, const QString &title, Icon icon, Buttons buttons)
        = 0;

    // Returns the answer, or an empty string when the user cancels.
    virtual QString input(
        QWidget *parent, const QString &prompt, const QString &title, const QString &defaultText)
        = 0;

    // File dialogs take "description|patterns|..." filters. They return the
    // chosen path, or an empty string when the user cancels. An empty
    // startFolder leaves the folder to the dialog.
    virtual QString openFile(QWidget *parent, const QString &filter, const QString &startFolder)
        = 0;
    virtual QString saveFile(QWidget *parent, const QString &filter, const QString &startFolder,
        const QString &proposedName)
        = 0;
    virtual QString directory(QWidget *parent, const QString &startFolder) = 0;
};
