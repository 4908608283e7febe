#pragma once

#include "ui/common/prompts.h"

// Prompts shown with QMessageBox, QInputDialog and QFileDialog.
class QtPrompts final : public Prompts
{
public:
    Answer message(QWidget *parent, const QString &text, const QString &title, Icon icon,
        Buttons buttons) override;
    QString input(QWidget *parent, const QString &prompt, const QString &title,
        const QString &defaultText) override;
    QString openFile(QWidget *parent, const QString &filter, const QString &startFolder) override;
    QString saveFile(QWidget *parent, const QString &filter, const QString &startFolder,
        const QString &proposedName) override;
    QString directory(QWidget *parent, const QString &startFolder) override;
};
