#pragma once

#include "core/geometry/layoutrow.h"
#include "core/program/texts.h"

#include <QPoint>
#include <QVector>

// The player window's geometry in twips (15 to a logical pixel), its outline
// and its controls.
namespace PlayerLayout {

// What assistive technology calls the window; its title stays the skin's name.
inline constexpr QStringView kAccessibleName = u"Tunvia";

inline constexpr int kWidthTwips = 6630;
inline constexpr int kFullHeightTwips = 2700;
inline constexpr int kCompactHeightTwips = 390;

// The 11-point outline, in pixels from the window's top-left corner.
QVector<QPoint> outline();

// What the player window's hot spots ask for.
enum class Command {
    Play,
    Pause,
    Stop,
    PreviousEntry,
    NextEntry,
    Mixer,
    ShowPlaylist,
    OpenMenu,
    SettingsMenu,
    NavigationMenu,
    MainMenu,
    About,
    Instructions,
    Close,
    MoveOrResize, // drag to move, double-click for the other height
    RollUp,
    RestoreHeight,
};

using Row = HotSpotRow<Command>;

inline constexpr Row kTransport[] = {
    { { "Label5", { 1755, 1260, 330, 285 }, u"播放" }, Command::Play },
    { { "Label6", { 2070, 1260, 330, 285 }, u"暂停" }, Command::Pause },
    { { "Label8", { 2385, 1260, 330, 285 }, u"停止" }, Command::Stop },
    { { "Label3", { 2700, 1260, 420, 285 }, u"向前跳一首" }, Command::PreviousEntry },
    { { "Label4", { 3060, 1260, 420, 285 }, u"向后跳一首" }, Command::NextEntry },
    { { "Label12", { 3600, 1260, 375, 240 }, u"Windows音量控制" }, Command::Mixer },
};

// Hot spots that show their caption as underlined text.
inline constexpr Row kTextButtons[] = {
    { { "Label14", { 405, 900, 1095, 195 }, {}, Texts::kShowPlaylist }, Command::ShowPlaylist },
    { { "Label15", { 405, 1215, 1050, 195 }, {}, Texts::kOpenMusic }, Command::OpenMenu },
    { { "Label16", { 405, 1530, 1050, 195 }, {}, Texts::kSystemSettings }, Command::SettingsMenu },
    { { "Label13", { 405, 1845, 1050, 195 }, {}, Texts::kAboutProgram }, Command::About },
};

inline constexpr Row kHotSpots[] = {
    { { "Label2", { 405, 540, 1050, 240 }, {}, {}, u"网站导航菜单" }, Command::NavigationMenu },
    { { "Image4", { 90, 45, 330, 240 }, u"打开 文件/网址" }, Command::MainMenu },
    { { "Image5", { 5535, 135, 240, 150 }, u"使用帮助" }, Command::Instructions },
    { { "Image3", { 6255, 135, 240, 150 }, Texts::kClose }, Command::Close },
};
// The hot spot that shows the logo.
inline constexpr Row kLogo { { "Picture1", { 5580, 405, 915, 1140 }, u"Tunvia 版权信息" },
    Command::About };

inline constexpr Row kFrameHotSpots[] = {
    { { "Image1", { 405, 90, 5100, 240 }, Texts::kDoubleClickToResize }, Command::MoveOrResize },
    { { "Image2", { 5760, 135, 240, 150 }, Texts::kRollUp }, Command::RollUp },
    { { "Image12", { 5985, 135, 240, 150 }, Texts::kRestoreHeight }, Command::RestoreHeight },
};

// Plain captions.
inline constexpr ControlRow kLabels[] = {
    // One pixel above the slider's row, so the text centres on the slider's well.
    { "Label1", { 4095, 1290, 420, 195 }, {}, Texts::kVolume },
    { "Label9", { 1965, 1755, 1050, 195 }, {}, Texts::kOnTop },
    { "Label10", { 3315, 1755, 1050, 195 }, {}, Texts::kShowDropWindow },
    { "Label11", { 4665, 1755, 1155, 195 }, {}, Texts::kLoopList },
};
inline constexpr ControlRow kVersionLabel { "Label7", { 495, 2115, 915, 195 }, {}, u"Ver:" };

inline constexpr ControlRow kEngineDisplay { "RealAudio1", { 1665, 405, 3870, 780 } };
inline constexpr ControlRow kVolumeSlider { "Slider1", { 4500, 1305, 1005, 195 }, {}, {},
    Texts::kVolume };
inline constexpr ControlRow kActivityBar { "ProgressBar1", { 4095, 180, 1365, 105 } };
// The option boxes have no caption of their own: their labels name them.
inline constexpr ControlRow kOnTopBox { "Check2", { 1755, 1755, 195, 195 }, {}, {}, Texts::kOnTop };
inline constexpr ControlRow kDropWindowBox { "Check3", { 3105, 1755, 195, 180 }, {}, {},
    Texts::kShowDropWindow };
inline constexpr ControlRow kLoopBox { "Check1", { 4455, 1755, 195, 180 }, {}, {},
    Texts::kLoopList };
inline constexpr ControlRow kSearchText { "Text1", { 2115, 2115, 1230, 315 },
    u"在这里输入您要查询的内容", {}, u"查询内容" };
inline constexpr ControlRow kCategory { "Combo1", { 3375, 2115, 1050, 300 }, {}, {}, u"查询类别" };
inline constexpr ControlRow kSearchButton { "Command1", { 4455, 2115, 1005, 285 },
    u"点这里开始搜索", u"歌曲搜索" };
// Lies outside the window and holds the buttons the menu presses.
inline constexpr ControlRow kCommandFrame { "Frame3", { -855, 2520, 4425, 600 } };
inline constexpr ControlRow kOpenFileButton { "Command2", {}, {}, u"打开文件" };
inline constexpr ControlRow kOpenAddressButton { "Command3", {}, {}, Texts::kOpenAddress };
// Empty picture boxes and the engraved line: part of the face only.
inline constexpr ControlRow kFaceBoxes[] = {
    { "Picture2", { 4725, 450, 780, 240 } },
    { "Picture3", { 1755, 450, 645, 240 } },
};
inline constexpr ControlRow kEngravedLine { "Line1", { 1710, 1215, 5535 - 1710, 15 } };

} // namespace PlayerLayout
