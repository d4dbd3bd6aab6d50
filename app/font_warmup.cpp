#include "font_warmup.h"

#include <fontconfig/fontconfig.h>

namespace toric {

namespace {

void warm_up_fontconfig() {
  if (FcInit() == FcFalse) return;  // Qt will report it in its own start
  // One listing loads every cache file, as Qt's font database does.
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  if (pattern != nullptr && objects != nullptr) {
    if (FcFontSet* fonts = FcFontList(nullptr, pattern, objects)) {
      FcFontSetDestroy(fonts);
    }
  }
  if (objects != nullptr) FcObjectSetDestroy(objects);
  if (pattern != nullptr) FcPatternDestroy(pattern);
}

}  // namespace

FontWarmup::FontWarmup() : thread_(warm_up_fontconfig) {}

FontWarmup::~FontWarmup() { thread_.join(); }

}  // namespace toric
