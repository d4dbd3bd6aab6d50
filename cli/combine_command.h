#pragma once
// toric-combine as a function of its arguments and streams: the options
// for a pair and for a list read from its arguments, the two lenses or the
// list, what is written where, and the exit status.

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "text_encoding.h"
#include "toric/column_names.h"
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
  // and spherical equivalent (with a step, the exact powers beside them).
  bool csv = false;
  // How the list is read, where the user says; the lenses' columns count
  // from 0 (two lens columns, or six: S, C, A, S, C, A).
  std::optional<Encoding> encoding;
  char separator = '\0';
  LensColumns columns;
  // Only how the list is read and which rows fit, nothing combined.
  bool check = false;
};

// Runs toric-combine with `args`, the program's name left out. Result lines
// go to `out`, help and the version too; usage errors and lines that cannot
// be read go to `err`. A list named "-" is read from `in`. Returns the exit
// status: 0, 1 when some lines of a list could not be read, 2 for a usage
// error, a lens that cannot be read or a list that cannot be opened.
int run_combine_command(std::span<const std::string> args, std::FILE* in,
                        std::FILE* out, std::FILE* err);

}  // namespace toric
