// toric-combine's arguments in, its output, errors and exit status out.
#include "combine_command.h"

#include <gtest/gtest.h>

#include "combine_runs.h"
#include "platform_io.h"

#ifndef _WIN32
#include <poll.h>
#include <unistd.h>

#include <thread>
#endif

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using toric::test::Invocation;
using toric::test::kRuns;

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

// A full disk is an error, not a success, for the help as for a list.
TEST(CombineCommand, AFullDiskEndsWithAMessageAndStatus2) {
  const struct {
    std::vector<std::string> args;
    const char* says;
  } kWrites[] = {
      {{"-"},
       "toric-combine: -: cannot write the results: No space left on "
       "device\n"},
      {{"--help"},
       "toric-combine: cannot write the help: No space left on device\n"},
  };
  for (const auto& run : kWrites) {
    std::FILE* full = std::fopen("/dev/full", "w");
    if (full == nullptr) GTEST_SKIP() << "no /dev/full here";
    std::FILE* in = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fputs("pl;pl\n", in);
    std::rewind(in);
    EXPECT_EQ(toric::run_combine_command(run.args, in, full, err), 2);
    EXPECT_EQ(read_back(err), run.says);
    for (std::FILE* f : {in, full, err}) std::fclose(f);
  }
}

#ifndef _WIN32
// A reader that has gone (`| head -n 2`) ends the list quietly, as
// coreutils' filters end.
TEST(CombineCommand, AClosedPipeEndsQuietly) {
  std::signal(SIGPIPE, SIG_IGN);  // as main() has it
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ::close(ends[0]);
  std::FILE* closed = ::fdopen(ends[1], "w");
  std::FILE* in = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::fputs("pl;pl\n", in);
  std::rewind(in);
  const std::vector<std::string> args{"-"};
  EXPECT_EQ(toric::run_combine_command(args, in, closed, err), 0);
  EXPECT_EQ(read_back(err), "");
  for (std::FILE* f : {in, closed, err}) std::fclose(f);
}

// The working is in Japanese where the first of LC_ALL, LC_MESSAGES and
// LANG that is set names a Japanese locale, as gettext picks a language.
TEST(CombineCommand, TheFirstLocaleVariableSetPicksTheLanguage) {
  const struct {
    const char* lc_all;
    const char* lc_messages;
    const char* lang;
    bool japanese;
  } kLocales[] = {
      {nullptr, nullptr, "ja_JP.UTF-8", true},
      {nullptr, "ja_JP.UTF-8", "C.UTF-8", true},
      {"C", "ja_JP.UTF-8", "ja_JP.UTF-8", false},
      {"", "", "ja_JP.UTF-8", true},
      {"en_GB.UTF-8", nullptr, "ja_JP.UTF-8", false},
      {nullptr, nullptr, nullptr, false},
  };
  const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::string saved[3];
  bool was_set[3];
  for (int i = 0; i < 3; ++i) {
    const char* value = std::getenv(names[i]);
    was_set[i] = value != nullptr;
    if (value != nullptr) saved[i] = value;
  }
  for (const auto& locale : kLocales) {
    const char* values[] = {locale.lc_all, locale.lc_messages, locale.lang};
    for (int i = 0; i < 3; ++i) {
      if (values[i] == nullptr) {
        ::unsetenv(names[i]);
      } else {
        ::setenv(names[i], values[i], 1);
      }
    }
    EXPECT_EQ(toric::japanese_user(), locale.japanese)
        << (locale.lang ? locale.lang : "-");
  }
  for (int i = 0; i < 3; ++i) {
    if (was_set[i]) {
      ::setenv(names[i], saved[i].c_str(), 1);
    } else {
      ::unsetenv(names[i]);
    }
  }
}

// Pairs typed into a pipe are answered a row at a time: the answer to a
// row comes before the next row is typed, never held for more.
TEST(CombineCommand, ATypedPairIsAnsweredBeforeTheNextIsTyped) {
  int typed[2];
  int answered[2];
  ASSERT_EQ(::pipe(typed), 0);
  ASSERT_EQ(::pipe(answered), 0);
  std::FILE* in = ::fdopen(typed[0], "r");
  std::FILE* out = ::fdopen(answered[1], "w");
  std::FILE* err = std::tmpfile();
  int status = -1;
  std::thread program([&] {
    const std::vector<std::string> args{"--plain", "-"};
    status = toric::run_combine_command(args, in, out, err);
    std::fclose(out);
  });
  // The next line of the answers, or "" where none comes within 10 s.
  const auto next_answer = [&] {
    std::string line;
    char c = 0;
    pollfd ready{answered[0], POLLIN, 0};
    while (c != '\n' && ::poll(&ready, 1, 10'000) == 1 &&
           ::read(answered[0], &c, 1) == 1) {
      line += c;
    }
    return line;
  };
  for (const auto& [row, answer] :
       {std::pair{"pl;-1.25\n", "S-1.25\n"}, {"-1.00;pl\n", "S-1.00\n"}}) {
    ASSERT_EQ(::write(typed[1], row, std::strlen(row)),
              static_cast<ssize_t>(std::strlen(row)));
    EXPECT_EQ(next_answer(), answer);
  }
  ::close(typed[1]);
  program.join();
  EXPECT_EQ(status, 0);
  for (std::FILE* f : {in, err}) std::fclose(f);
  ::close(answered[0]);
}
#endif

}  // namespace
