#include "ui/skin/skinstyle.h"

namespace SkinStyle {

QString playerWindow()
{
    return QStringLiteral(R"(
PlayerWindow > QLabel { color: #dce6f2; background: transparent; }
PlayerWindow > HotSpot[textButton="true"] { color: #404040; }
PlayerWindow > HotSpot[textButton="true"]:hover { color: #1a4f8b; text-decoration: underline; }
PlayerWindow > QCheckBox { background: transparent; }
PlayerWindow > QCheckBox::indicator { width: 11px; height: 11px; border: 1px solid #0d1a2a;
    background: #e8eef5; border-radius: 2px; }
PlayerWindow > QCheckBox::indicator:checked { background: qlineargradient(
    x1:0, y1:0, x2:0, y2:1, stop:0 #cfeaff, stop:1 #7fb8e6); }
PlayerWindow > QProgressBar { border: 1px solid #0b1522; border-radius: 2px; background: #0e1c2c; }
PlayerWindow > QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
    stop:0 #9fe3ff, stop:1 #2e8fd6); width: 7px; margin: 0px 1px; }
PlayerWindow > QSlider::groove:horizontal { height: 4px; border: 1px solid #0b1522; border-radius: 2px;
    background: #14263a; }
PlayerWindow > QSlider::sub-page:horizontal { background: #3f94d8; border-radius: 2px; }
PlayerWindow > QSlider::handle:horizontal { width: 8px; margin: -4px 0; border-radius: 3px;
    border: 1px solid #0b1522; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
    stop:0 #f4f8fc, stop:1 #a9b8c8); }
PlayerWindow > QLineEdit, PlayerWindow > QComboBox { border: 1px solid #0b1522; border-radius: 2px; background: #eef3f8;
    color: #1b2733; padding: 0px 2px; }
PlayerWindow > QComboBox::drop-down { width: 12px; border: none; }
PlayerWindow QComboBox QAbstractItemView { border: 1px solid #0b1522; background: #eef3f8; color: #1b2733;
    selection-background-color: #3d6590; selection-color: #ffffff; outline: none; }
PlayerWindow QComboBox QAbstractItemView::item { min-height: 18px; padding: 0px 3px; }
PlayerWindow > QComboBox::down-arrow { image: none; }
PlayerWindow > QPushButton { border: 1px solid #0b1522; border-radius: 3px; color: #f2f6fa;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4c84b8, stop:1 #24517d); }
PlayerWindow > QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
    stop:0 #5d97cc, stop:1 #2c5e90); }
PlayerWindow > QPushButton:pressed { background: #1d4268; }
)");
}

QString aboutWindow()
{
    return QStringLiteral(uR"(
AboutWindow QWidget#Picture1 { background: rgb(224, 224, 224); }
AboutWindow HotSpot[link="true"] { color: #0000ff; }
AboutWindow HotSpot[link="true"]:hover { text-decoration: underline; }
AboutWindow QPlainTextEdit { background: rgb(224, 224, 224); color: #1b2733;
    border: 1px solid #8796a8; }
AboutWindow QTabWidget::pane { border: 1px solid #0b1522; background: #e8eef5; top: -1px; }
AboutWindow QTabBar::tab { height: 18px; padding: 0px 10px; margin-right: 2px; color: #dce6f2;
    border: 1px solid #0b1522; border-bottom: none; border-top-left-radius: 3px;
    border-top-right-radius: 3px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
    stop:0 #4c84b8, stop:1 #24517d); }
AboutWindow QTabBar::tab:selected { color: #1b2733; background: #e8eef5; }
AboutWindow QTabBar::tab:!selected:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
    stop:0 #5d97cc, stop:1 #2c5e90); }
AboutWindow QGroupBox#Frame1 { border: 1px solid #8796a8; margin: 0px; }
)");
}

QString commandMenus()
{
    // Dark like the skins.
    return QStringLiteral(
        "QMenu { background: #20262e; color: #e8ecf0; border: 1px solid #5a6878; padding: 2px; }"
        "QMenu::item { padding: 3px 22px 3px 14px; }"
        "QMenu::item:selected { background: #3d6590; color: #ffffff; }"
        "QMenu::right-arrow { width: 8px; }");
}

QString playlistGrid()
{
    return QStringLiteral(
        "QTableView { gridline-color: rgb(192, 192, 192);"
        " background-color: rgb(224, 224, 224); border: 1px solid rgb(128, 128, 128); }");
}

QString otherPlayersBox()
{
    return QStringLiteral(
        "QComboBox { background-color: rgb(224, 224, 224); color: rgb(64, 64, 64); }");
}

QString randomButton()
{
    return QStringLiteral("QPushButton { background-color: rgb(224, 224, 224);"
                          " border: 1px solid rgb(128, 128, 128); padding: 0px; }"
                          "QPushButton:pressed { background-color: rgb(200, 200, 200); }");
}

QString directoryList()
{
    // Folders open by a double click, not by expanding: no branch arrows.
    return QStringLiteral("QTreeView::branch { image: none; border-image: none; }");
}

} // namespace SkinStyle
