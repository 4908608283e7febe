#include "core/program/commandline.h"

#include "core/program/version.h"
#include "core/text/displaywidth.h"

#include <QCommandLineParser>

namespace {

struct OptionRow
{
    QStringList names;
    QString description;
};

// The options in the order of the help; a transport option's name is its
// command's name.
QList<OptionRow> optionRows()
{
    return {
        { { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("显示这份帮助。") },
        { { QStringLiteral("v"), QStringLiteral("version") }, QStringLiteral("显示版本号。") },
        { { QStringLiteral("play") },
            QStringLiteral("播放。以下操作交给正在运行的 Tunvia；没有时先启动它。") },
        { { QStringLiteral("pause") }, QStringLiteral("暂停。") },
        { { QStringLiteral("play-pause") }, QStringLiteral("播放或暂停。") },
        { { QStringLiteral("stop") }, QStringLiteral("停止。") },
        { { QStringLiteral("next") }, QStringLiteral("下一首。") },
        { { QStringLiteral("previous") }, QStringLiteral("上一首。") },
        { { QStringLiteral("e"), QStringLiteral("enqueue") },
            QStringLiteral("把位置加入播放列表，不播放，也不改变正在播放的内容。") },
    };
}

QString optionNames(const QStringList &names)
{
    QStringList written;
    for (const QString &name : names)
        written << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return written.join(QStringLiteral(", "));
}

// Breaks text into lines of at most width columns: between two wide
// characters, or at a space.
QStringList wrapped(const QString &text, int width)
{
    QStringList lines;
    QString line;
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i + 1;
        // Closing punctuation never starts a line.
        while (end < text.size() && QStringView(u"，。、；：！？）」").contains(text.at(end)))
            ++end;
        if (end == i + 1 && DisplayWidth::of(text.at(i).unicode()) == 1 && !text.at(i).isSpace()) {
            while (end < text.size() && !text.at(end).isSpace()
                && DisplayWidth::of(text.at(end).unicode()) == 1)
                ++end;
        }
        const QString piece = text.mid(i, end - i);
        const int pieceWidth = DisplayWidth::of(piece);
        if (used + pieceWidth > width && !line.isEmpty()) {
            lines << line.trimmed();
            line.clear();
            used = 0;
        }
        if (!(line.isEmpty() && piece == u" ")) {
            line += piece;
            used += pieceWidth;
        }
        i = end;
    }
    if (!line.trimmed().isEmpty())
        lines << line.trimmed();
    return lines;
}

void appendRows(QString &help, const QList<QPair<QString, QString>> &rows)
{
    const int indent = 2;
    int nameWidth = 0;
    for (const auto &[name, description] : rows)
        nameWidth = qMax(nameWidth, DisplayWidth::of(name));
    const int column = indent + nameWidth + 2;
    for (const auto &[name, description] : rows) {
        QString line = QString(indent, u' ') + name;
        const QStringList parts = wrapped(description, CommandLine::kHelpColumns - column);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                line = QString();
            line += QString(column - DisplayWidth::of(line), u' ') + parts.at(i);
            help += line + u'\n';
        }
    }
}

// Qt's own options (-platform, -session from the session manager, ...) are
// QApplication's business: accepted here, without a word in the help.
void passQtOptions(QCommandLineParser &parser)
{
    for (const char *name : { "platform", "platformpluginpath", "platformtheme", "plugin",
             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "name",
             "geometry", "title", "style", "stylesheet" }) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : { "reverse", "widgetcount", "nograb", "dograb", "sync", "help-all" }) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

CommandLine refusal(const QString &error)
{
    CommandLine result;
    result.action = CommandLine::Action::Refuse;
    result.text = QStringLiteral("tunvia: ") + error + u'\n' + CommandLine::helpText();
    return result;
}

} // namespace

QString CommandLine::helpText()
{
    QString help
        = QStringLiteral("用法：tunvia [选项] [位置...]\n"
                         "Tunvia 播放器：播放本地文件（RealMedia、MP3、列表）和网络地址。\n\n"
                         "选项：\n");
    QList<QPair<QString, QString>> rows;
    for (const OptionRow &row : optionRows())
        rows.append({ optionNames(row.names), row.description });
    rows.append({ QStringLiteral("位置..."),
        QStringLiteral("本地文件、file:// 地址或网络地址，都加入播放列表，并播放第一个。"
                       "Tunvia 已经在运行时，交给正在运行的 Tunvia。") });
    appendRows(help, rows);
    return help;
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    passQtOptions(parser);
    for (const OptionRow &row : optionRows())
        parser.addOption(QCommandLineOption(row.names, row.description));
    if (!parser.parse(arguments))
        return refusal(parser.errorText());
    CommandLine result;
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = Action::ShowHelp;
        result.text = helpText();
        return result;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        result.action = Action::ShowVersion;
        result.text = QStringLiteral("tunvia ") + QLatin1String(kProgramVersionText) + u'\n';
        return result;
    }
    result.locations = parser.positionalArguments();
    QList<PeerCommand> commands;
    for (size_t i = 1; i < PeerCommands::kNames.size(); ++i) {
        if (parser.isSet(QLatin1String(PeerCommands::kNames[i])))
            commands << PeerCommand(i);
    }
    if (commands.size() > 1)
        return refusal(QStringLiteral("一次只能给出一个操作。"));
    if (commands.isEmpty())
        return result;
    result.command = commands.first();
    if (PeerCommands::isTransport(result.command) && !result.locations.isEmpty())
        return refusal(QStringLiteral("--%1 不带位置。").arg(PeerCommands::name(result.command)));
    if (result.command == PeerCommand::Enqueue && result.locations.isEmpty())
        return refusal(QStringLiteral("--enqueue 需要至少一个位置。"));
    return result;
}
