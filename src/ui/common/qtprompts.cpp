#include "ui/common/qtprompts.h"

#include "core/media/filefilter.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

// The program's texts break lines with a carriage return; Qt wants LF.
static QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

static QMessageBox::Icon toQtIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::Critical:
        return QMessageBox::Critical;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

Prompts::Answer QtPrompts::message(
    QWidget *parent, const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    QMessageBox box(toQtIcon(icon), title, displayText(text), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText); // item texts are shown as they are, never as markup
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    const int result = box.exec();
    // Every way the user closes the box clicks a button (its escape button
    // when closed otherwise); a box whose loop ended on a quit has none.
    if (!box.clickedButton())
        return Answer::Unanswered;
    switch (result) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

QString QtPrompts::input(
    QWidget *parent, const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(
        parent, title, displayText(prompt), QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtPrompts::openFile(QWidget *parent, const QString &filter, const QString &startFolder)
{
    const QString filters = nameFiltersFromFilterString(filter).join(QStringLiteral(";;"));
    // Native separators: on Windows the path keeps its drive letter and backslashes.
    return QDir::toNativeSeparators(QFileDialog::getOpenFileName(
        parent, QString(), startFolder, filters, nullptr, QFileDialog::HideNameFilterDetails));
}

QString QtPrompts::saveFile(
    QWidget *parent, const QString &filter, const QString &startFolder, const QString &proposedName)
{
    const QString filters = nameFiltersFromFilterString(filter).join(QStringLiteral(";;"));
    const QString start
        = startFolder.isEmpty() ? proposedName : QDir(startFolder).filePath(proposedName);
    return QDir::toNativeSeparators(QFileDialog::getSaveFileName(
        parent, QString(), start, filters, nullptr, QFileDialog::HideNameFilterDetails));
}

QString QtPrompts::directory(QWidget *parent, const QString &startFolder)
{
    return QDir::toNativeSeparators(
        QFileDialog::getExistingDirectory(parent, QString(), startFolder));
}
