#pragma once
// What toric-combine is asked to do with a pair and with a list, as its
// options say.

#include <optional>

#include "list_layout.h"
#include "text_encoding.h"
#include "toric/fitting.h"
#include "toric/format.h"
#include "toric/lens_notation.h"

namespace toric {

// How a pair is read, combined and written: a typed pair's options, which
// every row of a list takes too.
struct PairOptions {
  Notation notation = Notation::kWindow;
  Fitting fitting;  // vertex distance, rotation, step and cylinder form
  LensValues values = LensValues::kBars;
};

// A list's options besides its pairs'.
struct ListOptions : PairOptions {
  // CSV out: every input column, then the result's sphere, cylinder, axis
  // and spherical equivalent as plain numbers (with a step, the exact
  // sphere and cylinder beside the rounded ones).
  bool csv = false;
  // How the list is read, where the user says: its encoding, separator
  // and the lenses' columns counted from 0 (two lens columns, or six
  // columns S, C, A, S, C, A).
  std::optional<Encoding> encoding;
  char separator = '\0';
  LensColumns columns;
  // Only how the list is read and which rows fit, nothing combined.
  bool check = false;
};

}  // namespace toric
