#include "light_palette.h"

#include <QtGlobal>
#include <cstdint>

namespace toric {

namespace {

struct RoleColours {
  QPalette::ColorRole role;
  std::uint32_t normal;    // #AARRGGBB, active and inactive
  std::uint32_t disabled;  // #AARRGGBB
};

// clang-format off
constexpr RoleColours kLightColours[] = {
  {QPalette::WindowText,      0xFF000000, 0xFFBEBEBE},
  {QPalette::Button,          0xFFEFEFEF, 0xFFEFEFEF},
  {QPalette::Light,           0xFFFFFFFF, 0xFFFFFFFF},
  {QPalette::Midlight,        0xFFCACACA, 0xFFCACACA},
  {QPalette::Dark,            0xFF9F9F9F, 0xFFBEBEBE},
  {QPalette::Mid,             0xFFB8B8B8, 0xFFB8B8B8},
  {QPalette::Text,            0xFF000000, 0xFFBEBEBE},
  {QPalette::BrightText,      0xFFFFFFFF, 0xFFFFFFFF},
  {QPalette::ButtonText,      0xFF000000, 0xFFBEBEBE},
  {QPalette::Base,            0xFFFFFFFF, 0xFFEFEFEF},
  {QPalette::Window,          0xFFEFEFEF, 0xFFEFEFEF},
  {QPalette::Shadow,          0xFF767676, 0xFFB1B1B1},
  {QPalette::Highlight,       0xFF308CC6, 0xFF919191},
  {QPalette::HighlightedText, 0xFFFFFFFF, 0xFFFFFFFF},
  {QPalette::Link,            0xFF0000FF, 0xFF0000FF},
  {QPalette::LinkVisited,     0xFFFF00FF, 0xFFFF00FF},
  {QPalette::AlternateBase,   0xFFF7F7F7, 0xFFF7F7F7},
  {QPalette::ToolTipBase,     0xFFFFFFDC, 0xFFFFFFDC},
  {QPalette::ToolTipText,     0xFF000000, 0xFF000000},
  {QPalette::PlaceholderText, 0x80000000, 0x80000000},
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  {QPalette::Accent,          0xFF308CC6, 0xFF919191},
#endif
};
// clang-format on

}  // namespace

QPalette light_palette() {
  QPalette palette;
  for (const RoleColours& c : kLightColours) {
    const QColor normal = QColor::fromRgba(c.normal);
    palette.setColor(QPalette::Active, c.role, normal);
    palette.setColor(QPalette::Inactive, c.role, normal);
    palette.setColor(QPalette::Disabled, c.role, QColor::fromRgba(c.disabled));
  }
  return palette;
}

}  // namespace toric
