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
    // UTF-16 without its mark, told from the NULs of its first line: one
    // that has its NUL only after its LF ("名前\n"), and one of CR line
    // ends whose first character's low byte is a CR (名 is U+540D).
    {"utf16le_no_mark", utf16(u"名前\npl", true).substr(2), Encoding::kUtf16Le,
     false, "名前\npl"},
    {"utf16le_no_mark_one_letter", utf16(u"1\npl", true).substr(2),
     Encoding::kUtf16Le, false, "1\npl"},
    {"utf16be_no_mark_cr", utf16(u"名,pl\r", false).substr(2),
     Encoding::kUtf16Be, false, "名,pl\r"},
    // ASCII first, then Shift_JIS: 山田 and the window's Ｓ and °.
    {"cp932",
     "1,\x8E"
     "R\x93"
     "c,\x82r-1.25\x81\x8B",
     Encoding::kCp932, false, "1,山田,Ｓ-1.25°"},
    // Half-width katakana first, bytes that are UTF-8 too (Ŷ): the kanji
    // after them tell code page 932.
    {"cp932_half_width_first", "\xC5\xB6;pl\n2,\x92\x86\x91\xBA\n",
     Encoding::kCp932, false, "ﾅｶ;pl\n2,中村\n"},
    // EUC-JP as old Unix lab systems write it: its kana and full-width
    // letters, which code page 932 would read as half-width punctuation.
    {"euc_jp", "1,\xBB\xB3\xC5\xC4,\xA5\xE4\xA5\xDE\xA5\xC0,\xA3\xD3-1.25\n",
     Encoding::kEucJp, false, "1,山田,ヤマダ,Ｓ-1.25\n"},
};

// The text of `bytes` read whole, or given to the decoder a byte at a time.
std::string decoded(std::string_view bytes, bool bytewise,
                    toric::TextDecoder& decoder) {
  std::string text;
  for (std::size_t i = 0; bytewise && i < bytes.size(); ++i) {
    decoder.decode(bytes.substr(i, 1), false, text);
  }
  decoder.decode(bytewise ? std::string_view() : bytes, true, text);
  return text;
}

class Decode : public testing::TestWithParam<Sample> {};

TEST_P(Decode, ReadsTheSameWholeOrAByteAtATime) {
  const Sample& sample = GetParam();
  toric::TextDecoder whole;
  const std::string text = decoded(sample.bytes, false, whole);
  EXPECT_EQ(text, sample.text);
  EXPECT_EQ(whole.form().encoding, sample.encoding);
  EXPECT_EQ(whole.form().byte_order_mark, sample.byte_order_mark);

  toric::TextDecoder bytewise;
  EXPECT_EQ(decoded(sample.bytes, true, bytewise), sample.text);
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
    Encoding encoding;  // as --encoding names it
    std::string bytes;
    const char* text;
  } kBroken[] = {
      // UTF-16: half a surrogate pair; an odd byte at the end.
      {Encoding::kUtf16Le, "\xFF\xFE\x00\xD8"s, "\uFFFD"},
      {Encoding::kUtf16Le,
       "\xFF\xFE"
       "A",
       "\uFFFD"},
      // Code page 932: a lead byte alone.
      {Encoding::kCp932, "a\x82", "a\uFFFD"},
      // A pair that stands for no character is one replacement (found by
      // the fuzz target: read whole, its second byte came out as "@").
      {Encoding::kCp932, "a\x85\x40\x82\x72", "a\uFFFDＳ"},
      // EUC-JP: JIS X 0212, which code page 932 lacks; a lead cut at the
      // end.
      {Encoding::kEucJp, "\x8F\xB0\xA1\xA3\xD3", "\uFFFDＳ"},
      {Encoding::kEucJp, "a\xA3", "a\uFFFD"},
  };
  for (const auto& broken : kBroken) {
    for (const bool bytewise : {false, true}) {
      toric::TextDecoder decoder(broken.encoding);
      EXPECT_EQ(decoded(broken.bytes, bytewise, decoder), broken.text)
          << (bytewise ? "a byte at a time" : "whole");
    }
  }
}

// Half-width katakana grow threefold into UTF-8: a line of them, of every
// length, before a pair that is no character (found by the fuzz target:
// the replacement was written past the converted text's room).
TEST(Decode, AReplacementAfterAGrownLineHasItsRoom) {
  for (std::size_t length = 1; length < 200; ++length) {
    toric::TextDecoder decoder(Encoding::kCp932);
    const std::string text =
        decoded(std::string(length, '\xB1') + "\x85\x40", false, decoder);
    std::string expected;
    for (std::size_t i = 0; i < length; ++i) expected += "ｱ";
    ASSERT_EQ(text, expected + "\uFFFD") << length;
  }
}

}  // namespace
