#pragma once
// What the print failure box says, where Linux's and Windows' hand-over of
// the page meet the same fault: one text for both.

#include <QString>

namespace toric::print_messages {

inline QString not_sent() {
  return QStringLiteral("プリンターに送れませんでした。");
}

inline QString no_default_printer() {
  return QStringLiteral("プリンターが設定されていません。");
}

// A Japanese sentence, then the cause as a detail line.
inline QString with_detail(const QString& sentence, const QString& detail) {
  const QString trimmed = detail.trimmed();
  return trimmed.isEmpty() ? sentence : sentence + u'\n' + trimmed;
}

}  // namespace toric::print_messages
