// toric-combine against lists as labs, spreadsheets and schools save them,
// each with its right answer known: no list gives a wrong result, with
// status 0 or any other.
#include "lab_exports.h"

#include <gtest/gtest.h>

namespace {

// A seeded run: the same lists on every machine, so that a failure here is
// one list that can be run again (make soak runs a million).
TEST(LabExports, NoListGivesAWrongResult) {
  const toric::test::SoakResult result =
      toric::test::run_lab_exports(20261210, 20'000);
  EXPECT_EQ(result.wrong, 0) << result.shown[0];
  // Most lists a lab saves are read: a reader that refused them all would
  // give no wrong result either.
  EXPECT_GT(result.statuses[0], 20'000 * 3 / 4);
}

}  // namespace
