#include "core/program/commandline.h"

#include "core/program/version.h"

#include <QCommandLineParser>

namespace {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Tunvia 播放器：播放本地文件（RealMedia、MP3、列表）和网络地址。"));
    parser.addPositionalArgument(QStringLiteral("位置"),
        QStringLiteral("本地文件、file:// 地址或网络地址，都加入播放列表，并播放第一个。"
                       "Tunvia 已经在运行时，交给正在运行的 Tunvia。"),
        QStringLiteral("[位置...]"));
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
    for (const char *name : { "reverse", "widgetcount", "nograb", "dograb", "sync" }) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    describe(parser);
    passQtOptions(parser);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.action = Action::Refuse;
        result.text = QStringLiteral("tunvia: ") + parser.errorText() + u'\n' + parser.helpText();
    } else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = Action::ShowHelp;
        result.text = parser.helpText();
    } else if (parser.isSet(version)) {
        result.action = Action::ShowVersion;
        result.text = QStringLiteral("tunvia ") + QLatin1String(kProgramVersionText) + u'\n';
    } else {
        result.locations = parser.positionalArguments();
    }
    return result;
}
