// Lists in the encodings labs save them in: each is told from its first
// bytes, reads as the same UTF-8 however its bytes are cut into pieces,
// and a CSV goes back in the bytes it came in.
#include "text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "combine_runs.h"

namespace {

using toric::Encoding;
using toric::test::utf16;
using namespace std::string_literals;

struct Sample {
  const char* name;
  std::string bytes;
  Encoding encoding;
  bool byte_order_mark;
  std::string text;  // as UTF-8
};

const Sample kSamples[] = {
    {"ascii", "pl;-1.25\n", Encoding::kUtf8, false, "pl;-1.25\n"},
    {"utf8", "1;Ｓ-1.25Ｄ Ａ180°\n", Encoding::kUtf8, false,
     "1;Ｓ-1.25Ｄ Ａ180°\n"},
    {"utf8_mark", "\xEF\xBB\xBF×90", Encoding::kUtf8, true, "×90"},
    {"utf16le_surrogates", utf16(u"山田\U0001F453;pl", true),
     Encoding::kUtf16Le, true, "山田\U0001F453;pl"},
    {"utf16be", utf16(u"Ｓ-1.25", false), Encoding::kUtf16Be, true, "Ｓ-1.25"},
    // ASCII first, then Shift_JIS: 山田 and the window's Ｓ and °.
    {"cp932",
     "1,\x8E"
     "R\x93"
     "c,\x82r-1.25\x81\x8B",
     Encoding::kCp932, false, "1,山田,Ｓ-1.25°"},
};

class Decode : public testing::TestWithParam<Sample> {};

TEST_P(Decode, ReadsTheSameWholeOrAByteAtATime) {
  const Sample& sample = GetParam();
  toric::TextDecoder whole;
  std::string text;
  whole.decode(sample.bytes, true, text);
  EXPECT_EQ(text, sample.text);
  EXPECT_EQ(whole.form().encoding, sample.encoding);
  EXPECT_EQ(whole.form().byte_order_mark, sample.byte_order_mark);

  toric::TextDecoder bytewise;
  std::string pieced;
  for (const char byte : sample.bytes) {
    bytewise.decode(std::string_view(&byte, 1), false, pieced);
  }
  bytewise.decode({}, true, pieced);
  EXPECT_EQ(pieced, sample.text);
  EXPECT_EQ(bytewise.form().encoding, sample.encoding);

  EXPECT_EQ(std::string(toric::byte_order_mark(whole.form())) +
                toric::encoded(text, whole.form()),
            sample.bytes);
}

INSTANTIATE_TEST_SUITE_P(Samples, Decode, testing::ValuesIn(kSamples),
                         [](const auto& info) { return info.param.name; });

// Bytes that are no character read as U+FFFD, never as something else,
// whole or a byte at a time.
TEST(Decode, BrokenCharactersReadAsReplacements) {
  const struct {
    std::string bytes;
    const char* text;
  } kBroken[] = {
      {"\xFF\xFE\x00\xD8"s, "\uFFFD"},  // UTF-16: half a surrogate pair
      {"\xFF\xFE"
       "A",
       "\uFFFD"},            // UTF-16: an odd byte at the end
      {"a\x82", "a\uFFFD"},  // code page 932: a lead byte alone
      // A pair that stands for no character is one replacement (found by
      // the fuzz target: read whole, its second byte came out as "@").
      {"a\x85\x40\x82\x72", "a\uFFFDＳ"},
  };
  for (const auto& broken : kBroken) {
    toric::TextDecoder whole;
    std::string text;
    whole.decode(broken.bytes, true, text);
    EXPECT_EQ(text, broken.text);
    toric::TextDecoder bytewise;
    std::string pieced;
    for (const char byte : broken.bytes) {
      bytewise.decode(std::string_view(&byte, 1), false, pieced);
    }
    bytewise.decode({}, true, pieced);
    EXPECT_EQ(pieced, broken.text);
  }
}

// Half-width katakana grow threefold into UTF-8: a line of them, of every
// length, before a pair that is no character (found by the fuzz target:
// the replacement was written past the converted text's room).
TEST(Decode, AReplacementAfterAGrownLineHasItsRoom) {
  for (std::size_t length = 1; length < 200; ++length) {
    toric::TextDecoder decoder;
    std::string text;
    decoder.decode(std::string(length, '\xB1') + "\x85\x40", true, text);
    std::string expected;
    for (std::size_t i = 0; i < length; ++i) expected += "ｱ";
    ASSERT_EQ(text, expected + "\uFFFD") << length;
  }
}

}  // namespace
