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

} // namespace Texts
