#pragma once
// The faces the window asks for and the faces from Debian's packages that
// stand in for them where they are not installed. Qt-free, for the page
// too, which carries the stand-ins cut down to the glyphs the window shows.

#include <array>

namespace toric {

struct StandIn {
  const char* requested;
  const char* installed;
};

// The IPA Gothic faces (fonts-ipafont-gothic) have the widths and metrics of
// the requested Gothic faces, so "Ｓ" of "レンズ １ ：  Ｓ" ends before the
// readout that overlaps the caption; they have no bold face and Qt emboldens
// them. RocknRoll One (fonts-rocknroll) is a heavy rounded pop face.
inline constexpr std::array<StandIn, 3> kStandIns{{
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"HGP創英角ﾎﾟｯﾌﾟ体", "RocknRoll One"},
}};

}  // namespace toric
