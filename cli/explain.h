#pragma once
// The working of one combination as a student writes it down, step by
// step, in English or Japanese: the vertex distance and the rotation where
// they are given, the case that holds, for oblique axes each figure of the
// double-angle method, the transposition, the lens to order and its
// rounding, then the result line. Every figure is the combination's own
// (CombinationSteps), so the working cannot disagree with the result.

#include <string>

#include "toric/fitting.h"
#include "toric/format.h"

namespace toric {

enum class Language { kEnglish, kJapanese };

std::string explained(const LensPower& lens1, const LensPower& lens2,
                      const Fitting& fitting, const FittedPair& pair,
                      Notation notation, Language language);

}  // namespace toric
