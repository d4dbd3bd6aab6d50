#pragma once
// The window's words as Qt strings.

#include <QString>

#include "window_words.h"

namespace toric::window_texts {

inline QString text(const char* words) { return QString::fromUtf8(words); }

// A sentence, then its cause as a detail line (lp's own words, say).
inline QString with_detail(const char* sentence, const QString& detail) {
  const QString trimmed = detail.trimmed();
  return trimmed.isEmpty() ? text(sentence) : text(sentence) + u'\n' + trimmed;
}

}  // namespace toric::window_texts
