#pragma once
// The window's 26 controls as data: what each one is, where it sits, what it
// shows and how it looks. `Form1` turns the rows into widgets with one loop.

#include <cstdint>
#include <span>
#include <string>

namespace toric {

enum class ControlKind { kLabel, kButton, kScrollBar };

// 15 twips make one device-independent pixel (96 dpi).
inline constexpr int kTwipsPerPixel = 15;
enum class TextAlign { kLeft, kCentre };

// Rectangle in twips (1/1440 inch), measured from the top-left corner of
// the window's client area.
struct Twips {
  int left, top, width, height;
};

// A font as the window asks for it. `face` is null for the window's own
// default font.
struct FontRequest {
  const char* face;
  double points;
  bool bold;
  bool italic;
};

// A colour as #RRGGBB, or the platform's standard colour for the control.
inline constexpr std::uint32_t kDefaultColour = 0xFFFFFFFFu;

// Range, steps and start position of a scroll bar.
struct BarRange {
  int min, max, small_change, large_change, value;
};

struct ControlRow {
  const char* name;
  int index;  // member index of a control array (Label3), otherwise -1
  ControlKind kind;
  Twips rect;
  const char* caption;  // null for scroll bars and the bars' readouts
  FontRequest font;
  std::uint32_t text_colour;
  std::uint32_t background;
  TextAlign align;
  int tab_index;
  BarRange bar;                 // scroll bars only
  const char* accessible_name;  // scroll bars only: which lens, which value
};

// The rows in stacking order, topmost first.
std::span<const ControlRow> form1_controls();

// What a control shows at the start: its caption, or for a bar's readout
// what the bar's scale reads at the bar's start position, so that a start
// moved in the core shows from the first frame.
std::string start_caption(const ControlRow& row);

// The controls the window's handlers and the page look up by name.
inline constexpr const char* kCalculateButton = "Command1";
inline constexpr const char* kResetButton = "Command2";
inline constexpr const char* kEndButton = "Command3";
inline constexpr const char* kPrintButton = "print";
inline constexpr const char* kResultLabel = "Label6";

// The client area of the window, in twips.
inline constexpr int kForm1Width = 8325;
inline constexpr int kForm1Height = 5685;
inline constexpr const char* kForm1Title = "Form1";
// The title the window shows inside (Label1), which is also what a screen
// reader calls the window.
inline constexpr const char* kForm1AccessibleName = "トーリックレンズの合成";

}  // namespace toric
