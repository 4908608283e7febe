#include "ui/about/abouttexts.h"

#include <QStringList>

namespace AboutTexts {

QString authorName()
{
    return QStringLiteral("Tunvia");
}

QString authorMail()
{
    return QStringLiteral("tunvia@tunvia.net");
}

QString webSite()
{
    return QStringLiteral("http://www.tunvia.net");
}

// Every line ends with a line break, the last one too.
static QString joinLines(const QStringList &lines)
{
    return lines.join(u'\n') + u'\n';
}

QString introduction()
{
    const QString site = QStringLiteral("   建议您配合Tunvia网站 ") + webSite()
        + QStringLiteral(" 使用本软件，那里有更多的音乐和影视节目。");
    const QString mail = QStringLiteral("   如果您发现本软件有错误，请发电子邮件到 ") + authorMail()
        + QStringLiteral(" 告诉作者，谢谢！");
    return joinLines({
        QStringLiteral("   "
                       "Tunvia是一款外挂式的比RealPlay更方便的播放器，解决了RealPlay不能选择或循环"
                       "播放的弱点，同时本软件还有存储播放列表和支持拖放的等更使用的功能。本软件主"
                       "要针对网络媒体流Real格式。"),
        QStringLiteral(""),
        QStringLiteral("本软件的特点是："),
        QStringLiteral(""),
        QStringLiteral("1  能生成RealPlay通用的播放列表文件。"),
        QStringLiteral("2  支持本地的文件拖放和网址。"),
        QStringLiteral("3  可外挂其他播放器。"),
        QStringLiteral("4  系统自动从互联网更新。"),
        QStringLiteral(""),
        QStringLiteral(""),
        QStringLiteral(""),
        QStringLiteral("播放文件的类型"),
        QStringLiteral("-----------------------------------------"),
        QStringLiteral("本软件配合RealPlayer扩展其功能，新的播放支持模块将不断添加。"),
        QStringLiteral(""),
        QStringLiteral("RM, RA, RAM\tRealAudio/RealVideo 信号流内容"),
        QStringLiteral("RT\tReal Text 信号流文本格式"),
        QStringLiteral("RP\tRealPix 信号流 GIF 和 JPG "),
        QStringLiteral("GIF, JPG, PNG\t独立的 JPG、PNG 和 GIF 图象"),
        QStringLiteral("MP3\tMPEG Layer 3(音频格式)"),
        QStringLiteral("SWF\tRealSystem G2 with Flash"),
        QStringLiteral("SMIL, SMI\tSMIL 格式化（混合数据类型输出）文件"),
        QStringLiteral("MPG, MPEG\t标准 MPEG Layer 1 视频和Layer 2 视频格式"),
        QStringLiteral("WAV, AIFF*\t‘传统’声音文件 -- 较旧但普及的文件类型"),
        QStringLiteral("AVI*\t音频/视频交互-- Microsoft 视频格式"),
        QStringLiteral("ASF\tNetShow 文件（较新的 NetShow 文件可能不能正确播放）"),
        QStringLiteral("MID, MIDI, RMI\tMIDI声音文件"),
        QStringLiteral(""),
        site,
        QStringLiteral(""),
        mail,
    });
}

QString history()
{
    return joinLines({
        QStringLiteral("1.01版本"),
        QStringLiteral("   增加了读取目录内文件的功能，修改了列表文件有时不能自动储"),
        QStringLiteral("存的错误。"),
        QStringLiteral(""),
        QStringLiteral("1.02版本"),
        QStringLiteral("  修改了开始菜单中的找不到文件错误。"),
        QStringLiteral("   保存的列表文件可以和REAL PLAY 通用，您可以用本软件快速制"),
        QStringLiteral("作REAL PLAY的列表文件了。  增加了对其他播放器的支持外挂，系"),
        QStringLiteral("统会搜索其他播放软件的默认路径。1.RealPlay 2.WinAmp "),
        QStringLiteral("3.MediaPlay  您可以利用其他播放器来播放带图象的媒体文件。"),
        QStringLiteral(""),
        QStringLiteral("1.03版本"),
        QStringLiteral(" 拖放显示在最前面，并可随意拖移。"),
        QStringLiteral(""),
        QStringLiteral("1.04版本"),
        QStringLiteral("去掉了清空列表的BUG。"),
        QStringLiteral("增加了Tunvia歌曲搜索引擎，增加了循环播放列表和随机播放列表的功"),
        QStringLiteral("能。"),
        QStringLiteral(""),
        QStringLiteral("1.05版本"),
        QStringLiteral("增加了检测 RealPlay 注册功能。"),
        QStringLiteral("界面效果有所改观，增加了双窗口锁定功能，增加了栏目导航。"),
        QStringLiteral("增加了INTERNET自动更新提示功能。"),
        QStringLiteral(""),
        QStringLiteral("1.06版本"),
        QStringLiteral("拖放窗口支持拖放本地文件列表。加入了Windows音量调节按钮。"),
    });
}

} // namespace AboutTexts
