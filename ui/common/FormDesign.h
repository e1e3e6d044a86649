// The main window's design, written once for both windows: each control's
// place and size in pixels at 96 dpi, its text or hint, the tab order, the
// keys, the font; and the rule that fits the window to its screen. Each
// window lays itself out from it, scaled to its screen's dpi.
#pragma once

#include "Credits.h"

#include <array>
#include <string>
#include <string_view>

namespace vorsa::ui
{

// The window and its controls, as the design names them.
enum class Control {
    Form1,
    ToolBar1,
    ToolButton1,
    ToolButton2,
    ToolButton3,
    ToolButton4,
    Label3,
    Label1,
    Label4,
    Label2,
    Label5,
    Edit1,
    Label8,
    Label6,
    DriveComboBox1,
    DirectoryListBox1,
    GroupBox1,
    Label7,
    ProgressBar1,
    Button1,
    ListView1,
    Label10,
    Label9,
    Label11,
};

// A rectangle in pixels: at 96 dpi in the design, else at the dpi it was scaled to.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

enum class Sizing {
    Fixed,      // the design's size
    ToText,     // as large as its text; the design's place
    FontHeight, // the design's width; at least the design's height, more where the font needs it
    Under,      // the design's left, width and bottom; its top moved down as far as the
                // control above it grew past the design
};

struct ControlDesign {
    Control control;
    std::string_view name;
    Control parent; // whose client area `rect` is within
    Rect rect;
    Sizing sizing;
    std::string_view text; // UTF-8; empty for none
    std::string_view hint; // UTF-8 tool tip; empty for none
};

inline constexpr int kDesignDpi = 96;
inline constexpr int kClientWidth = 348;
inline constexpr int kClientHeight = 523;
inline constexpr int kFontPixels = 12;
inline constexpr int kToolImagePixels = 32;
inline constexpr int kFolderItemHeight = 16;
inline constexpr int kFolderIndentPixels = 8; // per level of the chain

struct Colour {
    unsigned char red, green, blue;
};
inline constexpr Colour kCream{255, 251, 240}; // the state labels' background
inline constexpr Colour kNavy{0, 0, 128};      // the link's text

// The window's font, the first of these that the system has: the design's
// face, then faces that hold both Latin and Japanese where it is missing
// (Windows 10 and 11 without their Japanese fonts, Linux).
inline constexpr std::array<std::string_view, 6> kFontFaces{
    "ＭＳ Ｐゴシック", "Yu Gothic UI", "Meiryo UI", "Noto Sans CJK JP", "IPAPGothic", "VL PGothic"};

inline constexpr std::string_view kSongListHeading = "SongList";

// clang-format off
inline constexpr std::array kForm{
    ControlDesign{Control::ToolBar1, "ToolBar1", Control::Form1, {0, 0, 348, 41}, Sizing::Fixed, "", ""},
    ControlDesign{Control::ToolButton1, "ToolButton1", Control::ToolBar1, {0, 2, 39, 38}, Sizing::Fixed, "", "cue/ccdを読み込みます"},
    ControlDesign{Control::ToolButton2, "ToolButton2", Control::ToolBar1, {39, 2, 39, 38}, Sizing::Fixed, "", "Waveファイルを取り出します"},
    ControlDesign{Control::ToolButton3, "ToolButton3", Control::ToolBar1, {78, 2, 39, 38}, Sizing::Fixed, "", "全曲にチェックを付けます"},
    ControlDesign{Control::ToolButton4, "ToolButton4", Control::ToolBar1, {117, 2, 39, 38}, Sizing::Fixed, "", "全曲のチェックを解除します"},
    ControlDesign{Control::Label3, "Label3", Control::Form1, {8, 64, 0, 0}, Sizing::ToText, "cue/ccdファイル", ""},
    ControlDesign{Control::Label1, "Label1", Control::Form1, {8, 80, 185, 25}, Sizing::Fixed, "", ""},
    ControlDesign{Control::Label4, "Label4", Control::Form1, {8, 112, 0, 0}, Sizing::ToText, "imgファイル", ""},
    ControlDesign{Control::Label2, "Label2", Control::Form1, {8, 128, 185, 25}, Sizing::Fixed, "", ""},
    ControlDesign{Control::Label5, "Label5", Control::Form1, {8, 160, 0, 0}, Sizing::ToText, "Wave接頭語", ""},
    ControlDesign{Control::Edit1, "Edit1", Control::Form1, {8, 176, 185, 20}, Sizing::Fixed, "", ""},
    ControlDesign{Control::Label8, "Label8", Control::Form1, {8, 200, 0, 0}, Sizing::ToText, "Wave作成先フォルダ", ""},
    ControlDesign{Control::Label6, "Label6", Control::Form1, {8, 216, 185, 20}, Sizing::Fixed, "", ""},
    ControlDesign{Control::DriveComboBox1, "DriveComboBox1", Control::Form1, {8, 240, 185, 18}, Sizing::FontHeight, "", ""},
    ControlDesign{Control::DirectoryListBox1, "DirectoryListBox1", Control::Form1, {8, 256, 185, 137}, Sizing::Under, "", ""},
    ControlDesign{Control::GroupBox1, "GroupBox1", Control::Form1, {8, 400, 185, 65}, Sizing::Fixed, "Waveリッピング状況", ""},
    ControlDesign{Control::Label7, "Label7", Control::GroupBox1, {16, 16, 121, 17}, Sizing::Fixed, "", ""},
    ControlDesign{Control::ProgressBar1, "ProgressBar1", Control::GroupBox1, {16, 33, 121, 16}, Sizing::Fixed, "", ""},
    ControlDesign{Control::Button1, "Button1", Control::GroupBox1, {144, 16, 33, 33}, Sizing::Fixed, "中断", ""},
    ControlDesign{Control::ListView1, "ListView1", Control::Form1, {208, 56, 129, 409}, Sizing::Fixed, "", ""},
    ControlDesign{Control::Label10, "Label10", Control::Form1, {8, 480, 0, 0}, Sizing::ToText, kVersionLine, ""},
    ControlDesign{Control::Label9, "Label9", Control::Form1, {208, 480, 0, 0}, Sizing::ToText, kCreditLine, ""},
    ControlDesign{Control::Label11, "Label11", Control::Form1, {176, 496, 0, 0}, Sizing::ToText, kHomePage, ""},
};
// clang-format on

// The order the Tab key walks: song list, prefix box, drive selector, folder
// list, tool bar, and within the group the progress bar, then the stop button.
inline constexpr std::array kTabOrder{
    Control::ListView1, Control::Edit1,     Control::DriveComboBox1, Control::DirectoryListBox1,
    Control::ToolBar1,  Control::GroupBox1, Control::ProgressBar1,   Control::Button1,
};

// The keyboard reaches what the mouse does: each key clicks its button.
// Letters are upper-case ASCII; Esc is kEscape.
inline constexpr char kEscape = '\x1b';
struct KeyDesign {
    char key;
    bool control;
    bool shift;
    Control button;
};
inline constexpr std::array kKeys{
    KeyDesign{'O', true, false, Control::ToolButton1},
    KeyDesign{'S', true, false, Control::ToolButton2},
    KeyDesign{'A', true, false, Control::ToolButton3},
    KeyDesign{'A', true, true, Control::ToolButton4},
    KeyDesign{kEscape, false, false, Control::Button1},
};

// What a screen reader calls each control, beside the role its kind gives
// it: a tool button by its hint, a field or a state label by its heading,
// the lists by what they hold. What the window shows stays the design's.
struct SpokenName {
    Control control;
    std::string_view name; // UTF-8
};
// clang-format off
inline constexpr std::array kSpokenNames{
    SpokenName{Control::Form1, "Vorsa"},
    SpokenName{Control::ToolBar1, "ツールバー"},
    SpokenName{Control::ToolButton1, "cue/ccdを読み込みます"},
    SpokenName{Control::ToolButton2, "Waveファイルを取り出します"},
    SpokenName{Control::ToolButton3, "全曲にチェックを付けます"},
    SpokenName{Control::ToolButton4, "全曲のチェックを解除します"},
    SpokenName{Control::Label3, "cue/ccdファイル"},
    SpokenName{Control::Label1, "cue/ccdファイル"},
    SpokenName{Control::Label4, "imgファイル"},
    SpokenName{Control::Label2, "imgファイル"},
    SpokenName{Control::Label5, "Wave接頭語"},
    SpokenName{Control::Edit1, "Wave接頭語"},
    SpokenName{Control::Label8, "Wave作成先フォルダ"},
    SpokenName{Control::Label6, "Wave作成先フォルダ"},
    SpokenName{Control::DriveComboBox1, "ドライブ"},
    SpokenName{Control::DirectoryListBox1, "フォルダ一覧"},
    SpokenName{Control::GroupBox1, "Waveリッピング状況"},
    SpokenName{Control::Label7, "Waveリッピング状況"},
    SpokenName{Control::ProgressBar1, "Waveリッピング状況"},
    SpokenName{Control::Button1, "中断"},
    SpokenName{Control::ListView1, "SongList"},
    SpokenName{Control::Label10, kVersionLine},
    SpokenName{Control::Label9, kCreditLine},
    SpokenName{Control::Label11, kHomePage},
};
// clang-format on

const ControlDesign &DesignOf(Control control);
// The design's rectangle within the window's client area: a control of the
// group or the tool bar moved by its parent's place.
Rect ClientRectOf(Control control);

// The name a screen reader gives `control` (kSpokenNames).
std::string_view SpokenNameOf(Control control);
// The keys that click `button`, as a listener is told them ("Ctrl+O",
// "Ctrl+Shift+A", "Esc"); empty for a control without keys.
std::string KeysOf(Control button);

// Design pixels at `dpi`, rounded to the nearest pixel.
int Scaled(int designPixels, int dpi);
Rect Scaled(const Rect &design, int dpi);

// Where the window goes on its screen, and the dpi its form is laid out at.
struct FormPlacement {
    int dpi;    // at most the screen's; lower where the window would not fit
    Rect frame; // the window's frame, title bar and borders included
};

// The window's frame centred in `workArea` (screen coordinates). A window
// that would not fit at the screen's `dpi` is laid out at the highest dpi at
// which it does, down to half the design's size; one that still does not
// fit keeps its title bar in the work area, at its top left, where the user
// can take hold of it. `frameWidth` and `frameHeight` are what the title bar
// and borders add to the client area.
FormPlacement PlaceForm(int dpi, int frameWidth, int frameHeight, const Rect &workArea);

// `frame` moved as little as it takes to lie in `workArea`; when larger, its
// top left at the area's.
Rect KeepInside(Rect frame, const Rect &workArea);

} // namespace vorsa::ui
