#include "control_table.h"

#include <array>
#include <string_view>

#include "bar_readouts.h"
#include "toric/lens_power.h"

namespace toric {

namespace {

constexpr const char* kPGothic = "ＭＳ Ｐゴシック";
constexpr const char* kGothic = "ＭＳ ゴシック";
constexpr const char* kPop = "HGP創英角ﾎﾟｯﾌﾟ体";

constexpr FontRequest kWindowFont{nullptr, 0, false, false};
constexpr FontRequest kReadoutFont{kPGothic, 14.25, true, false};
constexpr FontRequest kButtonFont{kGothic, 9, false, false};

constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kOrange = 0xFFC080;
constexpr std::uint32_t kCream = 0xFFFFC0;
constexpr std::uint32_t kDefault = kDefaultColour;

// The bars' ranges, pages and starts are the core's scales.
constexpr BarRange bar_of(const BarSpan& span) {
  return {0, span.last, 1, span.page, span.start};
}

constexpr BarRange kNoBar{0, 0, 0, 0, 0};
constexpr BarRange kSphereBar = bar_of(kSphereSpan);
constexpr BarRange kCylinderBar = bar_of(kCylinderSpan);
constexpr BarRange kAxisBar = bar_of(kAxisSpan);

using K = ControlKind;
using A = TextAlign;

// clang-format off
constexpr std::array<ControlRow, 26> kControls{{
  // name       idx kind          left  top   width height caption
  {"print",     -1, K::kButton,    {3480, 5040,  855, 375}, "print",
   kWindowFont, kDefault, kDefault, A::kCentre, 25, kNoBar, nullptr},
  {"HScroll6",  -1, K::kScrollBar, {5400, 2640, 1335, 255}, nullptr,
   kWindowFont, kDefault, kDefault, A::kLeft, 18, kAxisBar, "レンズ２ 軸度"},
  {"HScroll5",  -1, K::kScrollBar, {3720, 2640, 1335, 255}, nullptr,
   kWindowFont, kDefault, kDefault, A::kLeft, 17, kCylinderBar, "レンズ２ 円柱度数"},
  {"HScroll4",  -1, K::kScrollBar, {2040, 2640, 1335, 255}, nullptr,
   kWindowFont, kDefault, kDefault, A::kLeft, 16, kSphereBar, "レンズ２ 球面度数"},
  {"HScroll3",  -1, K::kScrollBar, {5400, 1560, 1335, 255}, nullptr,
   kWindowFont, kDefault, kDefault, A::kLeft, 15, kAxisBar, "レンズ１ 軸度"},
  {"HScroll2",  -1, K::kScrollBar, {3720, 1560, 1335, 255}, nullptr,
   kWindowFont, kDefault, kDefault, A::kLeft, 14, kCylinderBar, "レンズ１ 円柱度数"},
  {"HScroll1",  -1, K::kScrollBar, {2040, 1560, 1335, 255}, nullptr,
   kWindowFont, kDefault, kDefault, A::kLeft, 13, kSphereBar, "レンズ１ 球面度数"},
  {"Command3",  -1, K::kButton,    {6600, 4920, 1095, 615}, "ＥＮＤ",
   kWindowFont, kDefault, kDefault, A::kCentre, 12, kNoBar, nullptr},
  {"Command2",  -1, K::kButton,    {4920, 4920, 1095, 615}, "リセット",
   kButtonFont, kDefault, kDefault, A::kCentre, 11, kNoBar, nullptr},
  {"Command1",  -1, K::kButton,    {6600, 3720, 1335, 855}, "計 算",
   kButtonFont, kDefault, kOrange, A::kCentre, 9, kNoBar, nullptr},
  {"Label12",   -1, K::kLabel,     {5640, 2160, 1215, 375}, nullptr,
   kReadoutFont, kBlue, kDefault, A::kCentre, 24, kNoBar, nullptr},
  {"Label11",   -1, K::kLabel,     {3960, 2160, 1215, 255}, nullptr,
   kReadoutFont, kBlue, kDefault, A::kCentre, 23, kNoBar, nullptr},
  {"Label10",   -1, K::kLabel,     {2280, 2160, 1335, 375}, nullptr,
   kReadoutFont, kBlue, kDefault, A::kCentre, 22, kNoBar, nullptr},
  {"Label9",    -1, K::kLabel,     {5640, 1080, 1215, 375}, nullptr,
   kReadoutFont, kBlue, kDefault, A::kCentre, 21, kNoBar, nullptr},
  {"Label8",    -1, K::kLabel,     {3960, 1080, 1215, 375}, nullptr,
   kReadoutFont, kBlue, kDefault, A::kCentre, 20, kNoBar, nullptr},
  {"Label7",    -1, K::kLabel,     {2280, 1080, 1335, 375}, nullptr,
   kReadoutFont, kBlue, kDefault, A::kCentre, 19, kNoBar, nullptr},
  {"Label6",    -1, K::kLabel,     { 840, 3960, 5535, 615}, "",
   {kPGothic, 18, true, false}, kBlue, kDefault, A::kCentre, 10, kNoBar, nullptr},
  {"Label5",    -1, K::kLabel,     { 360, 3360, 7215, 375},
   "この２枚のレンズを重ねたときの合成度数は・・・",
   {kGothic, 14.25, true, false}, kMagenta, kDefault, A::kLeft, 8, kNoBar, nullptr},
  {"Label3",     5, K::kLabel,     {5400, 2160,  735, 375}, "Ａ",
   kReadoutFont, kBlue, kDefault, A::kLeft, 7, kNoBar, nullptr},
  {"Label3",     4, K::kLabel,     {3720, 2160,  495, 375}, "Ｃ",
   kReadoutFont, kBlue, kDefault, A::kLeft, 6, kNoBar, nullptr},
  {"Label3",     2, K::kLabel,     {5400, 1080,  495, 375}, "Ａ",
   kReadoutFont, kBlue, kDefault, A::kLeft, 5, kNoBar, nullptr},
  {"Label3",     1, K::kLabel,     {3720, 1080,  495, 375}, "Ｃ",
   kReadoutFont, kBlue, kDefault, A::kLeft, 4, kNoBar, nullptr},
  {"Label4",    -1, K::kLabel,     { 480, 2160, 2175, 375}, "レンズ ２ ：  Ｓ",
   kReadoutFont, kBlue, kDefault, A::kLeft, 3, kNoBar, nullptr},
  {"Label3",     0, K::kLabel,     { 480, 1080, 2175, 375}, "レンズ １ ：  Ｓ",
   kReadoutFont, kBlue, kDefault, A::kLeft, 2, kNoBar, nullptr},
  {"Label2",    -1, K::kLabel,     {4560,  120, 3495, 495},
   "２枚のトーリックレンズを重ねたときの合成度数を自動計算します",
   {kGothic, 9.75, true, false}, kDefault, kDefault, A::kLeft, 1, kNoBar, nullptr},
  // The title's text is the window-text system colour, which is a label's
  // default.
  {"Label1",    -1, K::kLabel,     { 240,  120, 4095, 375}, kForm1AccessibleName,
   {kPop, 18, false, true}, kDefault, kCream, A::kCentre, 0, kNoBar, nullptr},
}};
// clang-format on

}  // namespace

std::span<const ControlRow> form1_controls() { return kControls; }

std::string start_caption(const ControlRow& row) {
  for (const BarReadout& wiring : kBarReadouts) {
    if (std::string_view(wiring.readout) != row.name) continue;
    for (const ControlRow& bar : kControls) {
      if (std::string_view(bar.name) == wiring.bar) {
        return wiring.scale.readout(static_cast<std::int16_t>(bar.bar.value));
      }
    }
  }
  return row.caption != nullptr ? row.caption : "";
}

}  // namespace toric
