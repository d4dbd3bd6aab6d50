// toric-combine's arguments in, its output, errors and exit status out.
#include "combine_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct Invocation {
  const char* name;
  std::vector<std::string> args;
  std::string input;  // standard input
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
    // The window's rule keeps a plus cylinder where the sphere is not
    // negative; --form writes one form.
    {"window_form",
     {"+1 -0.5 10", "+1 -1.5 100"},
     "",
     0,
     "Ｓ＋0.50Ｄ Ｃ＋1.00Ｄ Ａ10°\n",
     ""},
    {"minus_form",
     {"--form", "minus", "+1 -0.5 10", "+1 -1.5 100"},
     "",
     0,
     "Ｓ＋1.50Ｄ Ｃ-1.00Ｄ Ａ100°\n",
     ""},
    {"plus_form",
     {"--form=plus", "--plain", "-1.25 -0.50 x180", "pl"},
     "",
     0,
     "S-1.75 C+0.50 A90\n",
     ""},
    {"any_value",
     {"--any", "Ｓ-0.06Ｄ Ｃ-1.39Ｄ Ａ17°", "+0.10"},
     "",
     0,
     "Ｓ＋0.04Ｄ Ｃ-1.39Ｄ Ａ17°\n",
     ""},
    {"list_keeps_every_line_in_place",
     {"--plain", "-"},
     "# lab order 12\n"
     "-1.25 -0.50 x180;pl\n"
     "\n"
     "+1.00\t-1.00 0.30 90\n"
     "S-1.00 C-1.00 A10; S0 C-0.50 A30\n",
     1,
     "# lab order 12\nS-1.25 C-0.50 A180\n\n\nS-1.06 C-1.39 A17\n",
     "toric-combine: -: line 4: lens 2: cylinder +0.30 is not one the bars "
     "set: steps of 0.25 (--any takes it)\n"},
    // Excel's CSV: a byte order mark, a header, an id, quotes, CRLF; kept,
    // with the result's columns.
    {"csv_round_trip",
     {"--csv", "-"},
     "\xEF\xBB\xBFid,name,right,left\r\n"
     "7,\"Sato, \"\"Ken\"\"\",\"-1,25 -0,50 AX180\",pl\r\n"
     "8,Ito,S+1.00 C-0.50 A10,bad\r\n",
     1,
     "\xEF\xBB\xBFid,name,right,left,sphere,cylinder,axis,spherical "
     "equivalent\r\n"
     "7,\"Sato, \"\"Ken\"\"\",\"-1,25 -0,50 AX180\",pl,-1.25,-0.50,180,"
     "-1.50\r\n"
     "8,Ito,S+1.00 C-0.50 A10,bad,,,,\r\n",
     "toric-combine: -: line 3: lens 2: cannot read \"bad\" at \"b\""},
    {"six_columns_beside_an_id",
     {"--plain", "-"},
     "S1,C1,A1,S2,C2,A2,no\n-1.25,-0.50,180,0.50,-0.75,90,3\n",
     0,
     "S1,C1,A1,S2,C2,A2,no\nS-1.25 C-0.25 A90\n",
     ""},
    {"columns_chosen",
     {"--plain", "--columns", "3,1", "-"},
     "pl;x;-1.00\n",
     0,
     "S-1.00\n",
     ""},
    {"nul_byte_is_no_list",
     {"-"},
     "pl;pl\n\x1b[2Jpl\0;pl\n"s,
     2,
     "Ｓ 0.00Ｄ\n",
     "toric-combine: -: line 2: a NUL byte: this is no text list\n"},
    {"unknown_option",
     {"--no-such"},
     "",
     2,
     "",
     "toric-combine: unknown option --no-such (see toric-combine --help)\n"},
    {"bad_form",
     {"--form", "sideways", "pl", "pl"},
     "",
     2,
     "",
     "--form takes minus or plus"},
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
  std::fwrite(run.input.data(), 1, run.input.size(), in);
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

// A full disk is an error, not a success.
TEST(CombineCommand, AFullDiskEndsWithAMessageAndStatus2) {
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full here";
  std::FILE* in = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::fputs("pl;pl\n", in);
  std::rewind(in);
  const std::vector<std::string> args{"-"};
  EXPECT_EQ(toric::run_combine_command(args, in, full, err), 2);
  EXPECT_EQ(read_back(err),
            "toric-combine: -: cannot write the results: No space left on "
            "device\n");
  for (std::FILE* f : {in, full, err}) std::fclose(f);
}

}  // namespace
