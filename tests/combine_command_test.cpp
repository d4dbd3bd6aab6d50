// toric-combine's arguments in, its output, errors and exit status out.
#include "combine_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Invocation {
  const char* name;
  std::vector<std::string> args;
  const char* input;  // standard input
  int status;
  const char* out;   // all of it
  const char* says;  // a part of the error stream; "" for none at all
};

const Invocation kRuns[] = {
    {"two_lenses",
     {"-1.25 -0.50 x180", "pl"},
     "",
     0,
     "Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°\n",
     ""},
    {"plain",
     {"--plain", "-1.25 -0.50 x180", "+0.50 -0.75 90"},
     "",
     0,
     "S-1.25 C-0.25 A90\n",
     ""},
    {"version", {"--version"}, "", 0, "toric-combine 1.0.0\n", ""},
    {"list_from_standard_input",
     {"--plain", "-"},
     "pl;pl\nabc;pl\n",
     1,
     "S0.00\n\n",
     "toric-combine: -: line 2: cannot read \"abc\""},
    {"unknown_option",
     {"--no-such"},
     "",
     2,
     "",
     "toric-combine: unknown option --no-such (see toric-combine --help)\n"},
    {"nothing", {}, "", 2, "", "two lenses or a list expected"},
    {"too_many", {"pl", "pl", "pl"}, "", 2, "", "too many arguments"},
    {"unreadable_lens", {"pl", "abc"}, "", 2, "", "lens 2: cannot read"},
    {"missing_list",
     {"/nonexistent/list.txt"},
     "",
     2,
     "",
     "toric-combine: /nonexistent/list.txt: "},
};

std::string read_back(std::FILE* stream) {
  std::string text;
  std::rewind(stream);
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
    text.append(buffer, got);
  }
  return text;
}

class CombineCommand : public testing::TestWithParam<Invocation> {};

TEST_P(CombineCommand, WritesAndEndsAsTheManualPageSays) {
  const Invocation& run = GetParam();
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  ASSERT_TRUE(in && out && err);
  std::fputs(run.input, in);
  std::rewind(in);
  EXPECT_EQ(toric::run_combine_command(run.args, in, out, err), run.status);
  EXPECT_EQ(read_back(out), run.out);
  const std::string errors = read_back(err);
  if (*run.says == '\0') {
    EXPECT_EQ(errors, "");
  } else {
    EXPECT_NE(errors.find(run.says), std::string::npos) << errors;
  }
  for (std::FILE* f : {in, out, err}) std::fclose(f);
}

INSTANTIATE_TEST_SUITE_P(Runs, CombineCommand, testing::ValuesIn(kRuns),
                         [](const auto& info) { return info.param.name; });

}  // namespace
