#include "lab_exports.h"

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "combine_command.h"
#include "toric/fitting.h"
#include "toric/format.h"
#include "toric/lens_power.h"

namespace toric::test {

namespace {

using Random = std::mt19937_64;

template <typename T>
const T& pick(Random& random, const std::vector<T>& items) {
  return items[std::uniform_int_distribution<std::size_t>(
      0, items.size() - 1)(random)];
}
bool chance(Random& random, double p) {
  return std::bernoulli_distribution(p)(random);
}
int between(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

std::string replaced(std::string text, std::string_view from,
                     std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// ---- Lenses as people write them -----------------------------------------

struct Lens {
  double sphere, cylinder;
  int axis;
};

Lens random_lens(Random& random) {
  // Now and then a bar's end: the values a class or a lab tries first.
  const auto position = [&](int last) {
    return static_cast<std::int16_t>(
        chance(random, 0.1) ? pick(random, std::vector<int>{0, last})
                            : between(random, 0, last));
  };
  const LensPower p =
      lens_on_bars(position(kSphereSpan.last), position(kCylinderSpan.last),
                   position(kAxisSpan.last));
  // The axis bar's 0 is written 180, as it reads.
  return {p.sphere, p.cylinder, axis_read(p.axis)};
}

// How one list writes its numbers.
struct Style {
  bool comma = false;        // decimal comma
  bool plus = true;          // "+0.50", or "0.50"
  bool excel = false;        // Excel's General: 2, -0.5, 0
  int notation = 0;          // of a lens in one cell
  std::string plano = "pl";  // a sphere of 0 in a lens in one cell
  std::string axis_mark;     // "", "°" or "x" before a three-cell axis
  bool zero_cylinder_empty = true;
};

std::string decimal(double value, const Style& style, bool sign = true) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value < 0 ? -value : value);
  std::string out = text;
  if (style.excel) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  if (value < 0) out = "-" + out;
  if (value > 0 && sign && style.plus && !style.excel) out = "+" + out;
  return style.comma ? replaced(out, ".", ",") : out;
}

std::string cell_sphere(double s, const Style& style) {
  if (s == 0 && !style.excel && style.plano != "pl") return style.plano;
  return decimal(s, style);
}

// A lens in one cell, in one of the notations a lab or a class writes.
std::string one_cell(const Lens& lens, Style style) {
  style.excel = false;  // a lens text is no number to a spreadsheet
  // "pl" and "plano" alone, a tag before a number.
  const bool word = style.plano[0] == 'p';
  const bool tagged = style.notation >= 2 && style.notation != 8;
  const std::string s = lens.sphere != 0    ? decimal(lens.sphere, style)
                        : !(word && tagged) ? style.plano
                                            : decimal(0, style);
  const std::string c = decimal(lens.cylinder, style);
  const std::string a = std::to_string(lens.axis);
  const bool cyl = lens.cylinder != 0;
  switch (style.notation) {
    case 0:
      return cyl ? s + " " + c + " x" + a : s;
    case 1:
      return cyl ? s + "/" + c + "x" + a : s;
    case 2:
      return "S" + s + (cyl ? " C" + c + " A" + a : "");
    case 3:
      return "sph " + s + (cyl ? " cyl " + c + " ax " + a : "");
    case 4: {  // the window's own line
      std::string line = "Ｓ" + replaced(s, "+", "＋") + "Ｄ";
      if (cyl) line += " Ｃ" + c + "Ｄ Ａ" + a + "°";
      return line;
    }
    case 5:
      return s + "DS" + (cyl ? "/" + c + "DC ×" + a : "");
    case 6:
      return "Sph." + s + (cyl ? " Cyl." + c + " Ax." + a : "");
    case 7:
      return "球面" + s + (cyl ? " 円柱" + c + " 軸" + a : "");
    case 8:  // a Japanese lab system's axis tag, and units with spaces
      return cyl ? s + " " + c + " AX" + a : s;
    case 9:
      return "S" + s + " D" + (cyl ? " C" + c + " D A" + a + "°" : "");
    default: {  // plus-cylinder form, as some refraction records keep it
      if (!cyl) return s;
      const Lens plus{lens.sphere + lens.cylinder, -lens.cylinder,
                      lens.axis > 90 ? lens.axis - 90 : lens.axis + 90};
      Style signed_style = style;
      signed_style.plus = true;
      return (plus.sphere == 0 ? style.plano : decimal(plus.sphere, style)) +
             " " + decimal(plus.cylinder, signed_style) + " x" +
             std::to_string(plus.axis);
    }
  }
}

// Sphere, cylinder and axis in three cells.
std::vector<std::string> three_cells(const Lens& lens, const Style& style) {
  const bool cyl = lens.cylinder != 0;
  std::string c = cyl || !style.zero_cylinder_empty
                      ? decimal(lens.cylinder, style)
                      : std::string();
  std::string a = cyl || !style.zero_cylinder_empty ? std::to_string(lens.axis)
                                                    : std::string();
  if (!a.empty() && style.axis_mark == "°") a += "°";
  if (!a.empty() && style.axis_mark == "x") a = "x" + a;
  return {cell_sphere(lens.sphere, style), c, a};
}

// ---- Headers --------------------------------------------------------------

enum class Kind {
  kWhole,  // a lens in one cell
  kSphere,
  kCylinder,
  kAxis,
  kId,
  kName,
  kDate,
  kPd,
  kAdd,
  kNote,
};

struct Column {
  Kind kind;
  int lens = 0;  // 1, 2, or 3 for the answer's columns
};

// The words of one language and form for each kind of column; "#" stands
// for the lens's number.
struct Vocabulary {
  std::vector<std::string> whole, sphere, cylinder, axis;
  // Over merged cells, and under them.
  std::vector<std::string> upper, lower_s, lower_c, lower_a;
  std::vector<std::string> id, name, date, pd, add, note;
};

const std::vector<Vocabulary>& vocabularies() {
  static const std::vector<Vocabulary> kAll = {
      {{"Lens #", "lens#", "Rx #", "Rx#", "LENS #"},
       {"S#", "Sph #", "Sph#", "Sphere #", "SPH#"},
       {"C#", "Cyl #", "Cyl#", "Cylinder #", "CYL#"},
       {"A#", "Ax #", "Axis #", "Axis#", "AX#"},
       {"Lens #", "Rx #"},
       {"S", "Sph", "Sphere"},
       {"C", "Cyl", "Cylinder"},
       {"A", "Axis", "Ax"},
       {"No", "No.", "ID", "Order"},
       {"Name", "Patient"},
       {"Date"},
       {"PD"},
       {"Add"},
       {"Notes", "Remarks"}},
      {{"Glas #"},
       {"Sph #", "Sph#", "Sph. #"},
       {"Zyl #", "Zyl#", "Zylinder #"},
       {"Achse #", "Achse#"},
       {"Glas #"},
       {"Sph", "Sph."},
       {"Zyl", "Zyl."},
       {"Achse"},
       {"Nr", "Nr."},
       {"Name", "Kunde"},
       {"Datum"},
       {"PD"},
       {"Add"},
       {"Bemerkung"}},
      {{"レンズ#", "#枚目", "第#レンズ"},
       {"球面#", "#枚目S", "#枚目球面", "球面度数#", "S#"},
       {"円柱#", "#枚目C", "#枚目円柱", "乱視#", "C#"},
       {"軸#", "#枚目A", "#枚目軸", "乱視軸#", "A#"},
       {"#枚目", "レンズ#"},
       {"球面", "S", "球面度数"},
       {"円柱", "C", "乱視度数"},
       {"軸", "A", "乱視軸"},
       {"受付番号", "No"},
       {"氏名", "お名前"},
       {"日付"},
       {"PD"},
       {"加入度"},
       {"備考", "メモ"}},
  };
  return kAll;
}

// Written as another system writes the same words.
std::string in_form(std::string word, int form) {
  if (form == 1) {  // full-width letters and digits, as a Japanese IME
    std::string out;
    for (const char c : word) {
      if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
          (c >= '0' && c <= '9')) {
        const char32_t wide = static_cast<unsigned char>(c) + 0xFEE0;
        out += static_cast<char>(0xE0 | (wide >> 12));
        out += static_cast<char>(0x80 | ((wide >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (wide & 0x3F));
      } else {
        out += c;
      }
    }
    return out;
  }
  if (form == 2) {  // half-width katakana, as old systems and some PCs
    for (const auto& [full, half] :
         std::vector<std::pair<std::string, std::string>>{{"レ", "ﾚ"},
                                                          {"ン", "ﾝ"},
                                                          {"ズ", "ｽﾞ"},
                                                          {"メ", "ﾒ"},
                                                          {"モ", "ﾓ"}}) {
      word = replaced(word, full, half);
    }
  }
  if (form == 3) word = replaced(word, "ズ", "ス\u3099");  // as macOS sends
  return word;
}

std::string numbered(const std::string& word, int lens) {
  return replaced(word, "#", std::to_string(lens));
}

// ---- Other cells ----------------------------------------------------------

std::string other_cell(Kind kind, int row, const Style& style, Random& random) {
  switch (kind) {
    case Kind::kId:
      return pick(random, std::vector<std::string>{
                              std::to_string(row), std::to_string(1000 + row),
                              "A-" + std::to_string(100 + row),
                              "2026-" + std::to_string(100 + row)});
    case Kind::kName:
      return pick(random,
                  std::vector<std::string>{
                      "Yamada Taro", "山田 太郎", "Sato, Ken", "\"Ken\" Ito",
                      "Müller; Hans", "Tanaka\nHanako", "佐藤", "O'Neil", ""});
    case Kind::kDate:
      return pick(random,
                  std::vector<std::string>{"2026-12-10", "10.12.2026",
                                           "2026/12/10", "12/10/2026", ""});
    case Kind::kPd:
      return pick(random, std::vector<std::string>{
                              "62", decimal(62.5, style, false), "31/31",
                              decimal(31.5, style, false) + "/31"});
    case Kind::kAdd:
      return pick(random, std::vector<std::string>{decimal(2.0, style),
                                                   decimal(1.75, style), ""});
    default:
      return pick(random, std::vector<std::string>{"", "ok", "AR", "要確認",
                                                   "re-check", "2x"});
  }
}

// ---- The file -------------------------------------------------------------

struct Form {
  char separator = ',';
  bool quote_all = false;
  std::string line_end = "\n";
};

std::string quoted_field(const std::string& cell, const Form& form) {
  const bool needs = cell.find_first_of(std::string("\"\r\n") +
                                        form.separator) != std::string::npos;
  if (!needs && !form.quote_all) return cell;
  return "\"" + replaced(cell, "\"", "\"\"") + "\"";
}

std::string record_of(const std::vector<std::string>& cells, const Form& form) {
  std::string record;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) record += form.separator;
    record += quoted_field(cells[i], form);
  }
  return record;
}

// `utf8` in `encoding` (iconv's name), or "" where a character has no
// place in it.
std::string converted(const std::string& utf8, const char* encoding) {
  iconv_t cd = iconv_open(encoding, "UTF-8");
  std::string out(utf8.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* at = out.data();
  std::size_t out_left = out.size();
  const bool done =
      iconv(cd, &in, &in_left, &at, &out_left) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!done) return {};
  out.resize(out.size() - out_left);
  return out;
}

std::string plain_result(const Lens& a, const Lens& b) {
  FittedPair pair;
  fit_pair({a.sphere, a.cylinder, a.axis}, {b.sphere, b.cylinder, b.axis},
           Fitting{}, pair);
  std::string line;
  append_result(line, pair.ordered, Notation::kPlain);
  return line;
}

std::string columns_named(const std::vector<int>& columns) {
  std::string text = columns.size() == 1 ? "column " : "columns ";
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) text += ", ";
    text += std::to_string(columns[i] + 1);
  }
  return text;
}

}  // namespace

LabExport make_lab_export(Random& random) {
  LabExport list;
  std::string& features = list.features;
  Form form;
  form.separator = pick(random, std::vector<char>{',', ',', ';', '\t'});
  form.quote_all = chance(random, 0.15);
  form.line_end = pick(random, std::vector<std::string>{"\n", "\r\n", "\r"});
  Style style;
  style.comma = form.separator != ',' && chance(random, 0.4);
  style.plus = chance(random, 0.7);
  style.excel = chance(random, 0.25);
  style.notation = between(random, 0, 10);
  style.plano = pick(random, std::vector<std::string>{"pl", "plano", "0.00",
                                                      "±0.00", "+0.00"});
  if (style.comma && style.plano.find('.') != std::string::npos) {
    style.plano = replaced(style.plano, ".", ",");
  }
  style.axis_mark = pick(random, std::vector<std::string>{"", "", "°", "x"});
  style.zero_cylinder_empty = chance(random, 0.5);

  // The columns: the lenses in one cell or three, what else the lab keeps,
  // and an answer's columns on a worksheet.
  const bool whole = chance(random, 0.4);
  const int header_rows = between(random, 0, 4) == 0     ? 0
                          : whole || chance(random, 0.6) ? 1
                                                         : 2;
  std::vector<Column> columns;
  std::vector<Column> extras;
  for (const Kind kind :
       {Kind::kName, Kind::kDate, Kind::kPd, Kind::kAdd, Kind::kNote}) {
    if (chance(random, 0.25)) extras.push_back({kind});
  }
  std::shuffle(extras.begin(), extras.end(), random);
  if (chance(random, 0.6)) columns.push_back({Kind::kId});
  const auto lens_columns = [&](int lens) {
    if (whole) {
      columns.push_back({Kind::kWhole, lens});
    } else {
      for (const Kind k : {Kind::kSphere, Kind::kCylinder, Kind::kAxis}) {
        columns.push_back({k, lens});
      }
    }
  };
  const bool answers = header_rows > 0 && chance(random, 0.15);
  const bool swapped = header_rows > 0 && chance(random, 0.1);
  std::size_t extra = 0;
  for (const int lens : {swapped ? 2 : 1, swapped ? 1 : 2}) {
    while (extra < extras.size() && chance(random, 0.4)) {
      columns.push_back(extras[extra++]);
    }
    lens_columns(lens);
  }
  while (extra < extras.size()) columns.push_back(extras[extra++]);
  if (answers) lens_columns(3);
  const bool answers_filled = answers && chance(random, 0.5);

  // The header, in one language and form.
  const Vocabulary& words = pick(random, vocabularies());
  const int word_form = between(random, 0, 5) < 3 ? 0 : between(random, 1, 3);
  // S, C, A twice without numbers, where nothing else repeats them.
  const bool unnumbered =
      header_rows == 1 && !whole && !answers && !swapped && chance(random, 0.2);
  std::vector<std::vector<std::string>> header(header_rows);
  {
    const std::string lens_word = pick(random, words.whole);
    const std::string upper_word = pick(random, words.upper);
    const std::string s = pick(random, words.sphere),
                      c = pick(random, words.cylinder),
                      a = pick(random, words.axis);
    const std::string ls = pick(random, words.lower_s),
                      lc = pick(random, words.lower_c),
                      la = pick(random, words.lower_a);
    const bool japanese_pair = words.upper[0] == "#枚目" && chance(random, 0.3);
    for (const Column& column : columns) {
      const auto word = [&](const std::vector<std::string>& names) {
        return in_form(pick(random, names), word_form);
      };
      std::string one, upper, lower;
      switch (column.kind) {
        case Kind::kWhole:
          one = in_form(numbered(lens_word, column.lens), word_form);
          break;
        case Kind::kSphere:
        case Kind::kCylinder:
        case Kind::kAxis: {
          const int k = static_cast<int>(column.kind) - 1;
          one = in_form(numbered(unnumbered ? std::vector{ls, lc, la}[k]
                                            : std::vector{s, c, a}[k],
                                 column.lens),
                        word_form);
          lower = in_form(std::vector{ls, lc, la}[k], word_form);
          if (column.kind == Kind::kSphere) {
            upper =
                japanese_pair && column.lens < 3
                    ? std::vector<std::string>{"現用", "追加"}[column.lens - 1]
                    : in_form(numbered(upper_word, column.lens), word_form);
          }
          break;
        }
        case Kind::kId:
          one = word(words.id);
          break;
        case Kind::kName:
          one = word(words.name);
          break;
        case Kind::kDate:
          one = word(words.date);
          break;
        case Kind::kPd:
          one = word(words.pd);
          break;
        case Kind::kAdd:
          one = word(words.add);
          break;
        case Kind::kNote:
          one = word(words.note);
          break;
      }
      if (header_rows == 1) header[0].push_back(one);
      if (header_rows == 2) {
        const bool lens_cell = column.kind == Kind::kSphere ||
                               column.kind == Kind::kCylinder ||
                               column.kind == Kind::kAxis;
        // Another column's name over it, merged down, or under an empty
        // cell.
        const bool name_above = !lens_cell && chance(random, 0.5);
        header[0].push_back(lens_cell ? upper : name_above ? one : "");
        header[1].push_back(lens_cell ? lower : name_above ? "" : one);
      }
    }
  }

  // The records, each with its answer.
  const std::size_t width = columns.size();
  const bool padded = chance(random, 0.4);  // Excel fills a row's cells
  std::vector<std::string> text_records;
  const auto add = [&](const std::string& record, const std::string& answer,
                       bool data) {
    text_records.push_back(record);
    list.records.push_back({answer, form.line_end, data});
  };
  const auto add_text = [&](const std::string& text) {
    std::vector<std::string> cells{text};
    if (padded) cells.resize(width);
    const std::string record = record_of(cells, form);
    add(record, record, false);
  };
  const int titles = between(random, 0, 3) == 0 ? between(random, 1, 3) : 0;
  for (int i = 0; i < titles; ++i) {
    add_text(pick(random, std::vector<std::string>{
                              "処方一覧 2026年12月", "Lab export",
                              "Übungsblatt 3: zwei Gläser",
                              "Orders, 10 Dec 2026", "Klasse 9b", ""}));
  }
  if (chance(random, 0.1)) {
    const std::string comment = "# exported by LabSys 4.2";
    add(comment, comment, false);
  }
  if (!header.empty()) {
    list.header_first = static_cast<int>(list.records.size()) + 1;
    for (const auto& row : header) {
      const std::string record = record_of(row, form);
      add(record, record, false);
    }
    list.header_last = static_cast<int>(list.records.size());
  }
  std::vector<int> lens_at[2];
  for (std::size_t i = 0; i < width; ++i) {
    if (columns[i].lens == 1 || columns[i].lens == 2) {
      lens_at[columns[i].lens - 1].push_back(static_cast<int>(i));
    }
  }
  list.lens1_columns = columns_named(lens_at[0]);
  list.lens2_columns = columns_named(lens_at[1]);

  const int rows = between(random, 1, 12);
  for (int row = 1; row <= rows; ++row) {
    if (chance(random, 0.05)) add("", "", false);
    if (chance(random, 0.05)) {
      const std::string empty =
          record_of(std::vector<std::string>(width), form);
      add(empty, empty, false);
    }
    const Lens lenses[2] = {random_lens(random), random_lens(random)};
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < width; ++i) {
      const Column& column = columns[i];
      if (column.kind > Kind::kAxis) {
        cells.push_back(other_cell(column.kind, row, style, random));
        continue;
      }
      Lens lens = lenses[column.lens == 3 ? 0 : column.lens - 1];
      if (column.lens == 3) {
        if (!answers_filled) {
          cells.emplace_back();
          continue;
        }
        // The answer as a student writes it, which the list copies.
        FittedPair pair;
        fit_pair({lenses[0].sphere, lenses[0].cylinder, lenses[0].axis},
                 {lenses[1].sphere, lenses[1].cylinder, lenses[1].axis},
                 Fitting{}, pair);
        lens = {pair.ordered.sphere, pair.ordered.cylinder, pair.ordered.axis};
      }
      if (column.kind == Kind::kWhole) {
        cells.push_back(one_cell(lens, style));
      } else {
        cells.push_back(
            three_cells(lens, style)[static_cast<int>(column.kind) - 1]);
      }
    }
    add(record_of(cells, form), plain_result(lenses[0], lenses[1]), true);
    list.cylinders |= lenses[0].cylinder != 0 || lenses[1].cylinder != 0;
  }
  if (chance(random, 0.15)) {
    add_text(pick(random, std::vector<std::string>{"# end", "合計件数",
                                                   "End of list", ""}));
  }
  if (chance(random, 0.2)) list.records.back().end.clear();

  // The text, then its bytes.
  std::string text;
  for (std::size_t i = 0; i < text_records.size(); ++i) {
    text += text_records[i] + list.records[i].end;
    list.expected += list.records[i].answer + list.records[i].end;
  }
  const int encoding = between(random, 0, 19);
  struct Saved {
    const char* iconv_name;
    std::string_view mark;
    const char* name;
  };
  const Saved saved =
      encoding < 9    ? Saved{nullptr, "", "UTF-8"}
      : encoding < 12 ? Saved{nullptr, "\xEF\xBB\xBF", "UTF-8 with a mark"}
      : encoding < 14 ? Saved{"UTF-16LE", "\xFF\xFE", "UTF-16LE"}
      : encoding < 15 ? Saved{"UTF-16LE", "", "UTF-16LE without a mark"}
      : encoding < 16 ? Saved{"UTF-16BE", "\xFE\xFF", "UTF-16BE"}
      : encoding < 17 ? Saved{"UTF-16BE", "", "UTF-16BE without a mark"}
      : encoding < 18 ? Saved{"CP932", "", "Shift_JIS"}
                      : Saved{"EUC-JP", "", "EUC-JP"};
  std::string bytes =
      saved.iconv_name ? converted(text, saved.iconv_name) : text;
  // EUC-JP's third plane (JIS X 0212: Ü, ä) is no Japanese lab's.
  const bool kept =
      !saved.iconv_name ||
      (!bytes.empty() && (std::string_view(saved.iconv_name) != "EUC-JP" ||
                          bytes.find('\x8F') == std::string::npos)) ||
      text.empty();
  list.bytes = std::string(kept ? saved.mark : "") + (kept ? bytes : text);
  features = std::string(kept ? saved.name : "UTF-8") + ", separator " +
             (form.separator == '\t' ? "tab" : std::string(1, form.separator)) +
             (style.comma ? ", decimal comma" : "") + ", " +
             std::to_string(header_rows) + " header rows, " +
             (whole ? "lenses in one cell" : "lenses in three cells") +
             ", notation " + std::to_string(style.notation);
  return list;
}

std::string judged(const LabExport& list, int status, const std::string& out,
                   const std::string& errors) {
  if (status < 0 || status > 2) return "status " + std::to_string(status);
  if (status == 0 && !errors.empty()) return "status 0 with " + errors;
  if (status != 0 && errors.empty()) return "status 1 or 2 without a reason";
  std::string_view rest = out;
  for (std::size_t i = 0; i < list.records.size(); ++i) {
    if (rest.empty() && status == 2) return {};
    const LabExport::Record& record = list.records[i];
    const std::string right = record.answer + record.end;
    if (rest.starts_with(right) && !record.answer.empty()) {
      rest.remove_prefix(right.size());
    } else if ((status != 0 || record.answer.empty()) &&
               rest.starts_with(record.end) &&
               (record.end.empty() || !rest.starts_with(right) ||
                record.answer.empty())) {
      rest.remove_prefix(record.end.size());
    } else {
      const std::size_t line = rest.find_first_of("\r\n");
      return "record " + std::to_string(i + 1) + ": expected " +
             as_literal(right) + ", got " +
             as_literal(std::string(rest.substr(0, line))) +
             (status == 0 ? " (status 0)" : "");
    }
  }
  if (!rest.empty()) return "more than the records: " + as_literal(out);
  return {};
}

std::string check_judged(const LabExport& list, const std::string& report) {
  std::string wanted[3] = {"lens 1: " + list.lens1_columns,
                           "lens 2: " + list.lens2_columns, ""};
  if (list.header_first != 0) {
    wanted[2] = list.header_first == list.header_last
                    ? "header: line " + std::to_string(list.header_first) + ":"
                    : "header: lines " + std::to_string(list.header_first) +
                          "-" + std::to_string(list.header_last) + ":";
  }
  // Spheres alone in three cells each read as lenses in one cell alike.
  const auto spheres = [&](std::string columns) {
    columns = columns.substr(0, columns.find(','));
    return replaced(columns, "columns", "column");
  };
  for (const std::string& line : wanted) {
    if (report.find(line) == std::string::npos &&
        (line.find(',') == std::string::npos ||
         report.find(spheres(line)) == std::string::npos || list.cylinders)) {
      return "--check lacks \"" + line + "\":\n" + report;
    }
  }
  return {};
}

ListRunner::ListRunner() {
  for (std::FILE*& file : files_) file = std::tmpfile();
}

ListRunner::~ListRunner() {
  for (std::FILE* file : files_) {
    if (file != nullptr) std::fclose(file);
  }
}

Answer ListRunner::run(const std::vector<std::string>& args,
                       const std::string& input) {
  for (std::FILE* file : files_) {
    std::rewind(file);
    if (::ftruncate(::fileno(file), 0) != 0) return {-1, {}, "ftruncate"};
  }
  std::fwrite(input.data(), 1, input.size(), files_[0]);
  std::fflush(files_[0]);
  std::rewind(files_[0]);
  Answer answer;
  answer.status = run_combine_command(args, files_[0], files_[1], files_[2]);
  for (const int i : {1, 2}) {
    std::string& text = i == 1 ? answer.out : answer.errors;
    std::fflush(files_[i]);
    std::rewind(files_[i]);
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, files_[i])) > 0) {
      text.append(buffer, got);
    }
  }
  return answer;
}

SoakResult run_lab_exports(std::uint64_t seed, long lists, std::size_t shown) {
  SoakResult result;
  Random random(seed);
  ListRunner runner;
  for (long i = 0; i < lists; ++i) {
    const LabExport list = make_lab_export(random);
    const Answer answer = runner.run({"--plain", "-"}, list.bytes);
    std::string wrong = judged(list, answer.status, answer.out, answer.errors);
    if (wrong.empty() && answer.status == 0) {
      wrong = check_judged(list, runner.run({"--check", "-"}, list.bytes).out);
    }
    if (answer.status >= 0 && answer.status <= 2) {
      ++result.statuses[answer.status];
    }
    if (answer.status != 0 && result.refusals.size() < shown) {
      result.refusals.push_back(
          std::to_string(answer.status) + " " +
          answer.errors.substr(0, answer.errors.find('\n')) + " in " +
          list.features + ": " + as_literal(list.bytes));
    }
    if (wrong.empty()) continue;
    if (result.wrong++ < static_cast<long>(shown)) {
      result.shown.push_back("list " + std::to_string(i) + " of seed " +
                             std::to_string(seed) + " (" + list.features +
                             "): " + wrong +
                             "\nthe list: " + as_literal(list.bytes) +
                             "\nits errors: " + answer.errors);
    }
  }
  return result;
}

std::string as_literal(const std::string& bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      (out += '\\') += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u >= 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X\"\"", u);
      out += code;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace toric::test
