#pragma once

#include <QStringView>

// Texts the user sees in more than one place, written once.
namespace Texts {

inline constexpr QStringView kShowPlaylist = u"显示播放列表";
inline constexpr QStringView kOpenMusic = u"打开音乐";
inline constexpr QStringView kSystemSettings = u"系统设置";
inline constexpr QStringView kStatistics = u"统计信息";
inline constexpr QStringView kAboutProgram = u"关于本软件";
inline constexpr QStringView kAboutTunvia = u"关于Tunvia";
inline constexpr QStringView kCheckForUpdate = u"检查新版本";
inline constexpr QStringView kOpenAddress = u"打开网址";
inline constexpr QStringView kPlaylist = u"播放列表";
inline constexpr QStringView kNoPlayableEntries = u"列表中没有可播放的条目";
// Tool tip of the drag strips of the player and playlist windows.
inline constexpr QStringView kDoubleClickToResize = u"双击可以缩小放大";
inline constexpr QStringView kOk = u"确定";
inline constexpr QStringView kCancel = u"取消";
inline constexpr QStringView kClose = u"关闭";
// The frame's compact and full heights, on the player's hot spots and the playlist's.
inline constexpr QStringView kRollUp = u"最小化";
inline constexpr QStringView kRestoreHeight = u"还原大小";
// The add and delete menus' items, and the playlist's buttons they press.
inline constexpr QStringView kAddFile = u"增加一个文件";
inline constexpr QStringView kAddAddress = u"增加一个网址";
inline constexpr QStringView kDeleteCurrent = u"删除这条";
inline constexpr QStringView kDeleteAll = u"删除所有";
// The player's option boxes and volume slider, read out from their labels.
inline constexpr QStringView kVolume = u"音量";
inline constexpr QStringView kOnTop = u"最前面显示";
inline constexpr QStringView kShowDropWindow = u"显示拖放口";
inline constexpr QStringView kLoopList = u"循环播放列表";

} // namespace Texts
