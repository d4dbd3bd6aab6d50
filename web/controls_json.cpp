#include "controls_json.h"

#include <cstdio>
#include <string_view>

#include "bar_readouts.h"
#include "control_table.h"
#include "font_stand_ins.h"
#include "window_words.h"

namespace toric {

namespace {

class Json {
 public:
  Json& text(std::string_view s) {
    out_ += '"';
    for (const char c : s) {
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
        out_ += escaped;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
    return *this;
  }
  Json& text_or_null(const char* s) {
    if (s == nullptr) return raw("null");
    return text(s);
  }
  Json& number(double value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    return raw(digits);
  }
  Json& flag(bool value) { return raw(value ? "true" : "false"); }
  // A key inside an object; the object's first takes no comma.
  Json& key(std::string_view name) {
    if (out_.back() != '{') out_ += ',';
    text(name);
    out_ += ':';
    return *this;
  }
  Json& open(char bracket) {
    if (!out_.empty() && (out_.back() == '}' || out_.back() == ']')) {
      out_ += ',';
    }
    out_ += bracket;
    return *this;
  }
  Json& raw(std::string_view s) {
    out_ += s;
    return *this;
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

const char* kind_name(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kScrollBar:
      return "bar";
  }
  return "";
}

// A colour as "#rrggbb", or null for the platform's standard colour.
void colour(Json& json, std::uint32_t rgb) {
  if (rgb == kDefaultColour) {
    json.raw("null");
    return;
  }
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%06x", static_cast<unsigned>(rgb));
  json.text(hex);
}

void control(Json& json, const ControlRow& row) {
  json.open('{');
  json.key("name").text(row.name);
  json.key("index").number(row.index);
  json.key("kind").text(kind_name(row.kind));
  json.key("rect").raw("[");
  json.number(row.rect.left).raw(",").number(row.rect.top).raw(",");
  json.number(row.rect.width).raw(",").number(row.rect.height).raw("]");
  const std::string caption = start_caption(row);
  json.key("caption").text_or_null(
      row.kind == ControlKind::kScrollBar ? nullptr : caption.c_str());
  json.key("font").raw("{");
  json.key("face").text_or_null(row.font.face);
  json.key("points").number(row.font.points);
  json.key("bold").flag(row.font.bold);
  json.key("italic").flag(row.font.italic).raw("}");
  json.key("colour");
  colour(json, row.text_colour);
  json.key("background");
  colour(json, row.background);
  json.key("centred").flag(row.align == TextAlign::kCentre);
  json.key("tab").number(row.tab_index);
  if (row.kind == ControlKind::kScrollBar) {
    json.key("bar").raw("{");
    json.key("min").number(row.bar.min);
    json.key("max").number(row.bar.max);
    json.key("small").number(row.bar.small_change);
    json.key("large").number(row.bar.large_change);
    json.key("start").number(row.bar.value).raw("}");
    json.key("accessible_name").text(row.accessible_name);
  }
  json.raw("}");
}

void bar_readout(Json& json, const BarReadout& wiring) {
  json.open('{');
  json.key("bar").text(wiring.bar);
  json.key("readout").text(wiring.readout);
  json.key("lowest").number(wiring.scale.lowest);
  json.key("highest").number(wiring.scale.highest);
  json.raw("}");
}

// What a readout or the result line can show besides the captions, and the
// readouts' sign and units, as the core writes them, for the page's faces
// and its spoken values.
void glyphs(Json& json) {
  std::string shown = format_result(LensPower{1.25, -0.5, 90});
  for (const ControlRow& row : form1_controls()) {
    for (const BarReadout& wiring : kBarReadouts) {
      if (std::string_view(wiring.bar) != row.name) continue;
      for (int p = row.bar.min; p <= row.bar.max; ++p) {
        shown += wiring.scale.readout(static_cast<std::int16_t>(p));
      }
    }
  }
  const std::string power = format_power(1.0);  // "＋1.00Ｄ"
  const std::size_t digits = power.find("1.00");
  json.key("readout_characters").text(shown);
  json.key("plus").text(power.substr(0, digits));
  json.key("dioptre").text(power.substr(digits + 4));
  json.key("degree").text(format_axis(90).substr(2));  // "90°"
}

}  // namespace

std::string controls_json() {
  Json json;
  json.raw("{");
  json.key("name").text(kForm1Title);
  json.key("width").number(kForm1Width);
  json.key("height").number(kForm1Height);
  json.key("twips_per_pixel").number(kTwipsPerPixel);
  json.key("roles").raw("{");
  json.key("calculate").text(kCalculateButton);
  json.key("reset").text(kResetButton);
  json.key("end").text(kEndButton);
  json.key("print").text(kPrintButton);
  json.key("result").text(kResultLabel).raw("}");
  glyphs(json);
  json.key("accessible_name").text(kForm1AccessibleName);
  json.key("reset_done").text(window_texts::kResetDone);
  json.key("controls").raw("[");
  for (const ControlRow& row : form1_controls()) control(json, row);
  json.raw("]");
  json.key("bars").raw("[");
  for (const BarReadout& wiring : kBarReadouts) bar_readout(json, wiring);
  json.raw("]");
  json.key("stand_ins").raw("{");
  for (const StandIn& face : kStandIns) {
    json.key(face.requested).text(face.installed);
  }
  json.raw("}}");
  return json.take();
}

}  // namespace toric
