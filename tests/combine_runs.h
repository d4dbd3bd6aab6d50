#pragma once
// toric-combine's runs as a table: arguments and standard input in, what
// comes out, the status and a part of the errors. The command tests run
// them; the fuzz target's seeds are their inputs.

#include <string>
#include <string_view>
#include <vector>

namespace toric::test {

using namespace std::string_literals;

struct Invocation {
  const char* name;
  std::vector<std::string> args;
  std::string input;  // standard input
  int status;
  std::string out;   // all of it
  const char* says;  // a part of the error stream; "" for none at all
};

// Text in UTF-16 with its byte order mark, as Excel's "Unicode text".
inline std::string utf16(std::u16string_view text, bool little_endian) {
  std::string bytes = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += little_endian ? low : high;
    bytes += little_endian ? high : low;
  }
  return bytes;
}

// A Japanese Excel CSV in Shift_JIS (code page 932): a name, the window's
// own result line with its fullwidth letters and degree sign, and a lens
// written with a multiplication sign.
inline const std::string kShiftJisRow =
    "1,\x8E"
    "R\x93"
    "c,\x82r-1.25\x82"
    "c \x82"
    "b-0.50\x82"
    "c \x82`180"
    "\x81\x8B,+0.50 -0.75 \x81~90\r\n";

inline std::string repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// A header as Japanese opticians name their columns, over Excel's
// "General" numbers (+2.00 written 2, a plano lens 0,0,90).
inline const std::string kJapaneseHeader =
    "受付番号,氏名,1枚目S,1枚目C,1枚目A,2枚目S,2枚目C,2枚目A\n";
inline const std::string kGeneralRows =
    "1,山田,2,-1.25,153,1,-2.25,128\n2,佐藤,0,0,90,-1,-0.5,180\n";

inline const Invocation kRuns[] = {
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
    {"lens_starting_with_a_point",
     {"-.50", "-1.25 -0.50 x180"},
     "",
     0,
     "Ｓ-1.75Ｄ Ｃ-0.50Ｄ Ａ180°\n",
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
     "#1;-2.00;pl\n"
     "-1.25 -0.50 x180;pl\n"
     "\n"
     "+1.00;-1.00 0.30 90\n"
     "S-1.00 C-1.00 A10; S0 C-0.50 A30\n",
     1,
     "# lab order 12\n#1;-2.00;pl\nS-1.25 C-0.50 A180\n\n\nS-1.06 C-1.39 A17\n",
     "toric-combine: -: line 5: lens 2: cylinder +0.30 is not one the bars "
     "set: steps of 0.25 (--any takes it)\n"},
    // Each line goes back with the end it came with: CR alone (old Macs,
    // some lab systems), CRLF, LF, none at the very end.
    {"line_ends_each_kept",
     {"--plain", "-"},
     "-1.25 -0.50 x180;pl\r-2.00;+0.50\r\npl;-3\npl;-4",
     0,
     "S-1.25 C-0.50 A180\rS-1.50\r\nS-3.00\nS-4.00",
     ""},
    // Excel's CSV: a byte order mark, a header, an id, quotes, CRLF; kept,
    // with the result's columns.
    {"csv_round_trip",
     {"--csv", "-"},
     "\xEF\xBB\xBFid,name,lens 1,lens 2\r\n"
     "7,\"Sato, \"\"Ken\"\"\",\"-1,25 -0,50 AX180\",pl\r\n"
     "8,Ito,S+1.00 C-0.50 A10,bad\r\n",
     1,
     "\xEF\xBB\xBFid,name,lens 1,lens 2,sphere,cylinder,axis,spherical "
     "equivalent\r\n"
     "7,\"Sato, \"\"Ken\"\"\",\"-1,25 -0,50 AX180\",pl,-1.25,-0.50,180,"
     "-1.50\r\n"
     "8,Ito,S+1.00 C-0.50 A10,bad,,,,\r\n",
     "toric-combine: -: line 3: lens 2: cannot read \"bad\" at \"b\""},
    {"quoted_cell_across_lines",
     {"--csv", "-"},
     "1,\"-1.25 -0.50\r\nx180\",pl\r\n",
     0,
     "1,\"-1.25 -0.50\r\nx180\",pl,-1.25,-0.50,180,-1.50\r\n",
     ""},
    {"unclosed_quote_reads_the_rows_after_it",
     {"--csv", "-"},
     "1,\"-1.25 -0.50 x180,pl\n2,pl,-1\n3,-1.25 -0.50 x180,pl\n",
     1,
     "1,\"-1.25 -0.50 x180,pl\",,,,\n2,pl,-1,-1.00,0.00,,-1.00\n"
     "3,-1.25 -0.50 x180,pl,-1.25,-0.50,180,-1.50\n",
     "toric-combine: -: line 1: a quote opens here and is never closed"},
    {"six_columns_beside_an_id",
     {"--plain", "-"},
     "S1,C1,A1,S2,C2,A2,no\n-1.25,-0.50,180,0.50,-0.75,90,3\n",
     0,
     "S1,C1,A1,S2,C2,A2,no\nS-1.25 C-0.25 A90\n",
     ""},
    {"excel_general_columns_from_the_header",
     {"--plain", "-"},
     kJapaneseHeader + kGeneralRows,
     0,
     kJapaneseHeader + "S+2.85 C-3.20 A137\nS-1.00 C-0.50 A180\n",
     ""},
    // The words of a lens name columns too: 乱視 is the cylinder, and 軸
    // wherever it is the axis.
    {"japanese_words_of_a_lens_name_columns",
     {"--plain", "-"},
     "球面1,乱視1,乱視軸1,球面度数2,円柱度数2,軸度2\n2,-1.25,153,1,-2.25,128\n",
     0,
     "球面1,乱視1,乱視軸1,球面度数2,円柱度数2,軸度2\nS+2.85 C-3.20 A137\n",
     ""},
    {"excel_general_columns_from_the_row",
     {"--csv", "-"},
     kGeneralRows,
     0,
     "1,山田,2,-1.25,153,1,-2.25,128,2.85,-3.20,137,1.25\n"
     "2,佐藤,0,0,90,-1,-0.5,180,-1.00,-0.50,180,-1.25\n",
     ""},
    // A sphere alone leaves C and A empty; an empty row stays one.
    {"empty_cells_as_a_spreadsheet_means_them",
     {"--plain", "-"},
     "S,C,A,S,C,A\n-1.00,,,+0.50,-0.50,90\n,,,,,\n-1.00,,,+0.50,-0.50,\n",
     1,
     "S,C,A,S,C,A\nS-0.50 C-0.50 A90\n,,,,,\n\n",
     "toric-combine: -: line 4: lens 2: cylinder -0.50 has no axis\n"},
    {"six_numbers_read_two_ways",
     {"--plain", "-"},
     "1,0,0,90,0,0,90\n",
     2,
     "",
     "the lenses could be in columns 1,2,3,4,5,6 or 2,3,4,5,6,7 (from line "
     "1); name them with --columns"},
    {"row_number_is_no_lens",
     {"--plain", "-"},
     "No.,name,lens 1,lens 2\n3,Yamada,-1.25 -0.50 x180 far,pl\n"
     "4,Ito,-1.25 -0.50 x180,pl\n",
     1,
     "No.,name,lens 1,lens 2\n\nS-1.25 C-0.50 A180\n",
     "line 2: lens 1: cannot read \"-1.25 -0.50 x180 far\" at \"f\""},
    // A whole number beside one lens is an id, never a sphere.
    {"receipt_number_beside_one_lens",
     {"--any", "--plain", "-"},
     "1004,-1.25 -0.50 x180 far,pl\n",
     2,
     "",
     "line 1 holds one lens, not two"},
    {"settled_columns_never_fall_back",
     {"--plain", "-"},
     "-1.25 -0.50 x180,pl\nfoo,pl\n",
     1,
     "S-1.25 C-0.50 A180\n\n",
     "line 2: lens 1: cannot read \"foo\""},
    {"two_eyes_are_no_two_lenses",
     {"--plain", "-"},
     "氏名,右,左\n佐藤,-1.25 -0.50 x180,pl\n",
     2,
     "",
     "line 1: the header names the right and the left eye"},
    // Found by the fuzz target: a first row's long number overflowed
    // while it was read as a lens's number.
    {"long_number_in_a_first_row",
     {"--plain", "-"},
     "S" + std::string(30, '1') + ";pl\n",
     2,
     "",
     "line 1 holds one lens, not two"},
    {"columns_chosen_checked_on_every_row",
     {"--plain", "--columns", "3,1", "-"},
     "pl;x;-1.00\npl;\n",
     1,
     "S-1.00\n\n",
     "line 2 has 2 cells; the lenses are in columns 3,1\n"},
    {"shift_jis_written_back",
     {"--csv", "-"},
     kShiftJisRow,
     0,
     kShiftJisRow.substr(0, kShiftJisRow.size() - 2) +
         ",-1.25,-0.25,90,-1.38\r\n",
     ""},
    {"utf16le_written_back",
     {"--csv", "-"},
     utf16(u"1\tＳ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°\tpl\r\n", true),
     0,
     utf16(u"1\tＳ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°\tpl\t-1.25\t-0.50\t180\t-1.50\r\n",
           true),
     ""},
    {"utf16be_results_in_utf8",
     {"-"},
     utf16(u"-1.25 -0.50 ×180;pl\n", false),
     0,
     "Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°\n",
     ""},
    {"nul_byte_is_no_list",
     {"-"},
     "pl;pl\n\x1b[2Jpl\0;pl\n"s,
     2,
     "Ｓ 0.00Ｄ\n",
     "toric-combine: -: line 2: a NUL byte: this is no text list, or UTF-16 "
     "without its byte order mark (name it with --encoding utf-16"},
    // The line before the NUL straddles the reader's 64 KiB pieces.
    {"nul_byte_after_a_line_across_pieces",
     {"-"},
     std::string(65530, '#') + "\npl;pl\nx\0;pl\n"s,
     2,
     std::string(65530, '#') + "\nＳ 0.00Ｄ\n",
     "toric-combine: -: line 3: a NUL byte"},
    // A list is read one way from its first row to its last.
    {"title_above_a_header_of_six_names",
     {"--plain", "-"},
     "処方一覧 2026年12月\n"
     "No,S1,C1,A1,S2,C2,A2\n"
     "1,-0.50,-0.25,180,-0.25,0,180\n",
     0,
     "処方一覧 2026年12月\nNo,S1,C1,A1,S2,C2,A2\nS-0.75 C-0.25 A180\n",
     ""},
    {"header_repeated_is_copied",
     {"--plain", "-"},
     "Sph1,Cyl1,Ax1,Sph2,Cyl2,Ax2\n-1.25,-0.50,180,0.50,-0.75,90\n"
     "Sph1,Cyl1,Ax1,Sph2,Cyl2,Ax2\n-1.00,,,+0.50,-0.50,90\n",
     0,
     "Sph1,Cyl1,Ax1,Sph2,Cyl2,Ax2\nS-1.25 C-0.25 A90\n"
     "Sph1,Cyl1,Ax1,Sph2,Cyl2,Ax2\nS-0.50 C-0.50 A90\n",
     ""},
    {"japanese_axis_header_in_euc_jp_written_back",
     {"--csv", "-"},
     "\xBB\xE1\xCC\xBE,1\xCB\xE7\xCC\xDCS,1\xCB\xE7\xCC\xDC"
     "C,1\xCB\xE7\xCC\xDC\xCD\xF0\xBB\xEB\xBC\xB4,2\xCB\xE7\xCC\xDCS,2\xCB"
     "\xE7\xCC\xDC"
     "C,2\xCB\xE7\xCC\xDC\xCD\xF0\xBB\xEB\xBC\xB4\n"
     "\xBB\xB3\xC5\xC4,-1.25,-0.50,180,0.50,-0.75,90\n",
     0,
     "\xBB\xE1\xCC\xBE,1\xCB\xE7\xCC\xDCS,1\xCB\xE7\xCC\xDC"
     "C,1\xCB\xE7\xCC\xDC\xCD\xF0\xBB\xEB\xBC\xB4,2\xCB\xE7\xCC\xDCS,2\xCB"
     "\xE7\xCC\xDC"
     "C,2\xCB\xE7\xCC\xDC\xCD\xF0\xBB\xEB\xBC\xB4,sphere,cylinder,axis,"
     "spherical equivalent\n"
     "\xBB\xB3\xC5\xC4,-1.25,-0.50,180,0.50,-0.75,90,-1.25,-0.25,90,-1.38\n",
     ""},
    // Half-width katakana are UTF-8 bytes too: the kanji below tell.
    {"shift_jis_half_width_name_first",
     {"--csv", "-"},
     "\xC5\xB6;pl;-1\n\x92\x86\x91\xBA;-1.25 -0.50 x180;pl\n",
     0,
     "\xC5\xB6;pl;-1;-1.00;0.00;;-1.00\n"
     "\x92\x86\x91\xBA;-1.25 -0.50 x180;pl;-1.25;-0.50;180;-1.50\n",
     ""},
    // Its encoding is told from 64 KiB, cut where no character is.
    {"shift_jis_longer_than_its_sample",
     {"-"},
     "\xC5\r\n" + repeated(kShiftJisRow, 1300),
     0,
     "ﾅ\r\n" + repeated("Ｓ-1.25Ｄ Ｃ-0.25Ｄ Ａ90°\r\n", 1300),
     ""},
    {"encoding_the_sample_cannot_tell",
     {"--plain", "-"},
     "pl;pl\npl;-1;\xBB\xB3\n",
     2,
     "S0.00\n",
     "line 2: its text reads as Shift_JIS (code page 932) and as EUC-JP "
     "alike: name its encoding with --encoding"},
    {"encoding_named",
     {"--plain", "--encoding", "euc-jp", "-"},
     "pl;pl\npl;-1;\xBB\xB3\n",
     0,
     "S0.00\nS-1.00\n",
     ""},
    {"row_with_another_separator",
     {"--plain", "-"},
     "pl;-1.25\n-1,0,0,-2,0,0\n",
     1,
     "S-1.25\n\n",
     "line 2 has 1 cell; the lenses are in columns 1,2; its cells are "
     "separated by \",\", the list's by \";\"\n"},
    {"too_few_cells_under_a_header",
     {"--plain", "-"},
     "\n氏名,No,lens 1,lens 2,メモ\n山田,1,pl,-1,\n佐藤,2,pl\n",
     1,
     "\n氏名,No,lens 1,lens 2,メモ\nS-1.00\n\n",
     "line 4 has 3 cells; the header on line 2 names 5\n"},
    {"separator_inside_a_header_cell",
     {"--csv", "-"},
     "No,メモ (R;L),lens 1,lens 2\n1,x,pl,-1\n",
     0,
     "No,メモ (R;L),lens 1,lens 2,sphere,cylinder,axis,spherical "
     "equivalent\n1,x,pl,-1,-1.00,0.00,,-1.00\n",
     ""},
    {"separator_named",
     {"--plain", "--separator", ";", "-"},
     "pl,-1\n",
     1,
     "\n",
     "line 1: no two columns read as lenses"},
    {"numbers_written_with_a_hash_below_a_header",
     {"--plain", "-"},
     "No,lens 1,lens 2\n#1,-1.25 -0.50 x180,pl\n# checked, 12 Dec\n",
     0,
     "No,lens 1,lens 2\nS-1.25 C-0.50 A180\n# checked, 12 Dec\n",
     ""},
    {"note_below_a_list_copied",
     {"--plain", "-"},
     "No,lens 1,lens 2\n1,pl,-1\n合計1件\n",
     0,
     "No,lens 1,lens 2\nS-1.00\n合計1件\n",
     ""},
    {"decimal_commas_written_back",
     {"--csv", "-"},
     "pl;-1,25\n",
     0,
     "pl;-1,25;-1,25;0,00;;-1,25\n",
     ""},
    {"quote_inside_a_cell",
     {"--csv", "-"},
     "id,name,lens 1,lens 2\n1,Ito 5\",pl,-1\n",
     0,
     "id,name,lens 1,lens 2,sphere,cylinder,axis,spherical equivalent\n"
     "1,\"Ito 5\"\"\",pl,-1,-1.00,0.00,,-1.00\n",
     ""},
    {"six_numbers_without_a_header",
     {"--plain", "-"},
     "-1.00,,,+0.50,-0.50,90\n-1.00,-0.50,180,+0.50,0,\n",
     0,
     "S-0.50 C-0.50 A90\nS-0.50 C-0.50 A180\n",
     ""},
    // A row that two readings fit waits for one that only one fits; a
    // lens written in three cells is never two spheres.
    {"six_numbers_told_by_a_later_row",
     {"--plain", "-"},
     "1,0,0,90,0,0,90\n2,-1.25,-0.50,180,+0.50,-0.75,90\n",
     0,
     "S0.00\nS-1.25 C-0.25 A90\n",
     ""},
    {"row_without_lens_2_is_no_pair",
     {"--plain", "-"},
     "1,-1.25,-0.50,180,,,\n2,-1.25,-0.50,180,+0.50,-0.75,90\n",
     2,
     "",
     "line 1 has numbers in columns 1,2,3,4 that no two lenses and no six "
     "columns S, C, A, S, C, A read whole (rows so: 1; rows columns "
     "2,3,4,5,6,7 fit: 1)"},
    {"eyes_by_their_latin_names",
     {"--plain", "-"},
     "id,OD,OS\n1,pl,pl\n",
     2,
     "",
     "line 1: the header names the right and the left eye"},
    {"shift_jis_lead_past_the_eighth_byte",
     {"--csv", "-"},
     "12345678,\x8E"
     "R\x93"
     "c,pl,-1\r\n",
     0,
     "12345678,\x8E"
     "R\x93"
     "c,pl,-1,-1.00,0.00,,-1.00\r\n",
     ""},
    {"utf16_ending_in_a_surrogate_pair",
     {"--csv", "-"},
     utf16(u"pl\tpl\t𠮷", true),
     0,
     utf16(u"pl\tpl\t𠮷\t0.00\t0.00\t\t0.00", true),
     ""},
    {"last_line_ending_in_cr",
     {"--plain", "-"},
     "pl;-1\rpl;-2\r",
     0,
     "S-1.00\rS-2.00\r",
     ""},
    {"line_longer_than_a_megabyte",
     {"--plain", "-"},
     "pl;pl\n" + std::string((1 << 20) + 1, 'x'),
     2,
     "S0.00\n",
     "line 2 is longer than a megabyte"},
    {"check_a_title_row_and_header",
     {"--check", "-"},
     "処方一覧\nNo,S1,C1,A1,S2,C2,A2\n1,-0.50,-0.25,180,-0.25,0,180\n2,x\n",
     1,
     "encoding: UTF-8\nseparator: \",\"\n"
     "header: line 2: No, S1, C1, A1, S2, C2, A2\n"
     "lens 1: columns 2, 3, 4 (S1, C1, A1) as sphere, cylinder, axis\n"
     "lens 2: columns 5, 6, 7 (S2, C2, A2) as sphere, cylinder, axis\n"
     "columns from: the header\nrows to combine: 1\n"
     "rows that do not fit: 1 (line 4)\n",
     "line 4 has 2 cells; the header on line 2 names 7\n"},
    {"check_six_numbers_without_a_header",
     {"--check", "-"},
     "-1.00,-0.50,180,+0.50,-0.75,90\n",
     0,
     "encoding: ASCII throughout (read as UTF-8)\nseparator: \",\"\n"
     "header: none\n"
     "lens 1: columns 1, 2, 3 as sphere, cylinder, axis\n"
     "lens 2: columns 4, 5, 6 as sphere, cylinder, axis\n"
     "columns from: the rows (one reading fits them)\nrows to combine: 1\n"
     "rows that do not fit: 0\n",
     ""},
    // A header's words are never powers, in the languages and widths labs
    // write them; the lenses are told by their numbers.
    {"german_header_with_decimal_commas",
     {"--plain", "-"},
     "Nr;Sph 1;Zyl 1;Achse 1;Sph 2;Zyl 2;Achse 2\n1;-1,25;-0,75;45;0,50;-1,25;"
     "120\n",
     0,
     "Nr;Sph 1;Zyl 1;Achse 1;Sph 2;Zyl 2;Achse 2\nS-1.40 C-0.71 A104\n",
     ""},
    {"worksheet_answers_are_copied",
     {"--csv", "-"},
     "No,S1,C1,A1,S2,C2,A2,S3,C3,A3\n1,-1.25,-0.75,45,0.50,-1.25,120,-1.40,"
     "-0.71,104\n",
     0,
     "No,S1,C1,A1,S2,C2,A2,S3,C3,A3,sphere,cylinder,axis,spherical "
     "equivalent\n1,-1.25,-0.75,45,0.50,-1.25,120,-1.40,-0.71,104,-1.40,-0.71,"
     "104,-1.75\n",
     ""},
    {"lens_2_named_first",
     {"--check", "-"},
     "Add;Glas 2;Glas 1\n2.00;+1.25/-1.00x30;pl\n",
     0,
     "encoding: ASCII throughout (read as UTF-8)\nseparator: \";\"\n"
     "header: line 1: Add, Glas 2, Glas 1\nlens 1: column 3 (Glas 1)\n"
     "lens 2: column 2 (Glas 2)\ncolumns from: the header\n"
     "rows to combine: 1\nrows that do not fit: 0\n",
     ""},
    {"half_width_and_decomposed_kana_in_a_header",
     {"--plain", "-"},
     "ﾚﾝｽﾞ1,レンズ2\n-1.00 -0.50 x180,+0.50\n",
     0,
     "ﾚﾝｽﾞ1,レンズ2\nS-0.50 C-0.50 A180\n",
     ""},
    {"header_over_merged_cells",
     {"--check", "-"},
     "1枚目,,,2枚目,,\n球面,円柱,軸,球面,円柱,軸\n-1.00,-0.50,180,0.50,-0.25,"
     "90\n",
     0,
     "encoding: UTF-8\nseparator: \",\"\nheader: lines 1-2: 1枚目 球面, 1枚目 "
     "円柱, "
     "1枚目 軸, 2枚目 球面, 2枚目 円柱, 2枚目 軸\nlens 1: columns 1, 2, 3 "
     "(1枚目 "
     "球面, 1枚目 円柱, 1枚目 軸) as sphere, cylinder, axis\nlens 2: columns "
     "4, "
     "5, 6 (2枚目 球面, 2枚目 円柱, 2枚目 軸) as sphere, cylinder, axis\n"
     "columns from: the header\nrows to combine: 1\nrows that do not fit: 0\n",
     ""},
    {"one_lens_a_row_beside_a_patient_number",
     {"--any", "--plain", "-"},
     "No,lens\n101,-1.00 -0.50 x180\n101,+0.50 -0.25 x90\n",
     2,
     "",
     "line 2 holds one lens, not two"},
    {"end_of_file_mark_after_the_last_line",
     {"--plain", "-"},
     "pl;-1\r\n\x1a",
     0,
     "S-1.00\r\n",
     ""},
    // A whole number right after a sphere alone could be its cylinder.
    {"whole_number_after_a_sphere_alone",
     {"--plain", "-"},
     "-1.25,1,pl\n",
     2,
     "",
     "line 1 has numbers in columns 1,2,3"},
    {"numbers_no_reading_reads_whole",
     {"--plain", "-"},
     "1,-1.25 -0.50 x180,pl,62.5,2026-01-01,+2.00\n",
     2,
     "",
     "line 1 has numbers in columns 1,2,3,4,6 that no two lenses"},
    // Found by the lab exports: a tab list with decimal commas is never
    // split at its commas; a quote open on the first line waits.
    {"decimal_commas_in_a_tab_list",
     {"--plain", "-"},
     "1\tＳ9,50Ｄ Ｃ-1,25Ｄ Ａ154°\t2,00\tＳ8,50Ｄ\n",
     2,
     "",
     "line 1 has numbers in columns 1,2,3,4"},
    {"quoted_name_over_two_lines_in_a_semicolon_list",
     {"--plain", "-"},
     "-5,50;-6,50/-0,50x126;\"Tanaka\nHanako\"\n+2,00/-1,00x124;+2,50;x\n",
     0,
     "S-12.00 C-0.50 A126\nS+4.50 C-1.00 A124\n",
     ""},
    // A whole number is a cylinder in no reading, and rows no reading fits
    // outnumbering those one does leave the reading in doubt.
    {"whole_number_is_no_cylinder",
     {"--plain", "-"},
     "1,10,-1.5,168,,8.25,-3,52\n",
     2,
     "",
     "line 1 has numbers in"},
    {"rows_that_fit_no_reading_outnumber",
     {"--plain", "-"},
     "x,-0.25,-5.00,110,+1.75,+4.25,-3.00,18\n"
     "x,-10.00,-0.75,5,+1.75,+0.50,-4.25,113\n"
     "x,-2.25,-0.25,12,+2.00,±0.00,,\n",
     2,
     "",
     "(rows so: 2; rows columns 2,3,4,5,6,7 fit: 1)"},
    // Columns the rows told are held to: a later row's cylinder beside
    // them is its error, never left out of its result.
    {"number_in_a_column_the_header_leaves_unnamed",
     {"--plain", "-"},
     "lens 1,lens 2\n-1.25,-0.50,180\n",
     1,
     "lens 1,lens 2\n\n",
     "line 2: column 3 holds \"180\""},
    {"number_left_unread_in_a_later_row",
     {"--plain", "-"},
     "1\t+9.50\t\t\t12/10/2026\t+4.00\t\t\n2\t-7.00\t\t\t\t-5.00\t\t\n"
     "3\t-7.00\t-1.50\t35\t\t-5.00\t\t\n",
     1,
     "S+13.50\nS-12.00\n\n",
     "line 3: column 3 holds \"-1.50\", which the lenses' columns 2,6 leave "
     "unread"},
    {"check_is_for_lists", {"--check", "pl", "pl"}, "", 2, "", "are for lists"},
    {"rotation_to_the_last_degree",
     {"--plain", "--rotation", "90L", "-1.25 -0.50 x180", "pl"},
     "",
     0,
     "S-1.25 C-0.50 A180\n",
     ""},
    {"step_of_an_eighth",
     {"--plain", "--step", "0.125", "-1.25 -0.50 x180", "+0.50 -0.75 x90"},
     "",
     0,
     "S-1.25 C-0.25 A90\n",
     ""},
    {"vertex_past_50_mm",
     {"--vertex", "51", "pl", "pl"},
     "",
     2,
     "",
     "--vertex takes millimetres from -50 to 50"},
    // A user-defined character (a rare name) is a character; a pair that
    // stands for none, in a list named code page 932, goes back as "?".
    {"shift_jis_user_defined_character_written_back",
     {"--csv", "-"},
     "1,\xF0\x40,\x8E"
     "R\x93"
     "c,pl,-1\r\n",
     0,
     "1,\xF0\x40,\x8E"
     "R\x93"
     "c,pl,-1,-1.00,0.00,,-1.00\r\n",
     ""},
    {"broken_shift_jis_character_written_back",
     {"--csv", "--encoding", "cp932", "-"},
     "1,\x85\x40,pl,-1\r\n",
     0,
     "1,?,pl,-1,-1.00,0.00,,-1.00\r\n",
     ""},
    // A quote may run over 64 lines, its record one row; past them it was
    // never closed.
    {"quote_closed_on_its_64th_line",
     {"--plain", "-"},
     "1,\"a\n" + repeated("b\n", 62) + "c\",pl,-1\n",
     0,
     "S-1.00\n",
     ""},
    {"quote_open_past_64_lines",
     {"--plain", "-"},
     "1,\"a\n" + repeated("b\n", 63) + "c\",pl,-1\n",
     1,
     "\n" + repeated("b\n", 63) + "S-1.00\n",
     "line 1: a quote opens here and is never closed"},
    {"csv_step_names_its_columns",
     {"--csv", "--step", "0.25", "-"},
     "id,lens 1,lens 2\n1,0 -1.00 10,0 -0.50 30\n",
     0,
     "id,lens 1,lens 2,sphere,exact sphere,cylinder,exact cylinder,axis,"
     "spherical equivalent\n1,0 -1.00 10,0 -0.50 30,0.00,-0.06,-1.50,-1.39,"
     "17,-0.75\n",
     ""},
    {"vertex_that_cannot_carry_lens_2",
     {"--any", "--vertex", "50", "pl", "+25"},
     "",
     2,
     "",
     "toric-combine: lens 2 cannot be carried 50 mm: 1 - dF is 0 or less "
     "for a meridian\n"},
    {"rotation_gives_the_lens_to_order",
     {"--plain", "--rotation", "10L", "-1.00 -1.25 x180", "0 -0.75 x170"},
     "",
     0,
     "S-1.00 C-2.00 A180\n",
     ""},
    {"step_writes_rounded_and_exact",
     {"--csv", "--step", "0.25", "-"},
     "0 -1.00 10;0 -0.50 30\n",
     0,
     "0 -1.00 10;0 -0.50 30;0.00;-0.06;-1.50;-1.39;17;-0.75\n",
     ""},
    {"vertex_over_a_list",
     {"--plain", "--vertex", "12", "-"},
     "pl;-8.00 -2.00 x180\n",
     0,
     "S-7.30 C-1.63 A180\n",
     ""},
    {"step_not_one_lenses_come_in",
     {"--step", "0.3", "pl", "pl"},
     "",
     2,
     "",
     "--step takes 0.125, 0.25 or 0.50"},
    {"rotation_without_a_side",
     {"--rotation", "10", "pl", "pl"},
     "",
     2,
     "",
     "--rotation takes degrees"},
    {"explain_for_one_pair",
     {"--explain", "-"},
     "",
     2,
     "",
     "--explain is for one pair"},
    {"unknown_option",
     {"--no-such"},
     "",
     2,
     "",
     "toric-combine: unknown option --no-such (see toric-combine --help)\n"},
    {"ambiguous_option",
     {"--c", "-"},
     "",
     2,
     "",
     "toric-combine: ambiguous option --c: --csv, --columns or --check (see "
     "toric-combine --help)\n"},
    {"value_for_an_option_without_one",
     {"--csv=no", "-"},
     "",
     2,
     "",
     "--csv takes no value"},
    {"option_without_its_value", {"--form"}, "", 2, "", "--form needs a value"},
    {"bad_form",
     {"--form", "sideways", "pl", "pl"},
     "",
     2,
     "",
     "--form takes minus or plus"},
    {"column_zero", {"--columns", "0,1", "-"}, "", 2, "", "--columns takes"},
    {"column_twice", {"--columns", "2,2", "-"}, "", 2, "", "--columns takes"},
    {"column_negative",
     {"--columns", "-1,2", "-"},
     "",
     2,
     "",
     "--columns takes"},
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

}  // namespace toric::test
