#pragma once
// Every word the window writes from code: what it announces, its message
// box and why a print failed. The controls' own captions are the control
// table's. UTF-8, as the control table's captions are; Qt-free, for the
// page too.

namespace toric::window_texts {

// Said to a screen reader once リセット has set every bar back.
inline constexpr const char* kResetDone = "リセットしました。";

// The box that tells why a print failed: its title, and its first line
// above the reason.
inline constexpr const char* kPrintFailureTitle = "印刷";
inline constexpr const char* kPrintFailed = "印刷できませんでした。";

// Why a print failed, on both platforms.
inline constexpr const char* kNoDefaultPrinter =
    "プリンターが設定されていません。";
inline constexpr const char* kNotSent = "プリンターに送れませんでした。";

// Why a print failed on Linux, where lp takes the page to the print
// service.
inline constexpr const char* kPageNotMade =
    "印刷するページを作れませんでした。";
inline constexpr const char* kServiceUnreachable =
    "印刷サービス（CUPS）に接続できません。";
inline constexpr const char* kNoLp = "印刷に使う lp コマンドが見つかりません。";
inline constexpr const char* kLpEnded = "lp が途中で終了しました。";
inline constexpr const char* kNoAnswer = "プリンターが応答しません。";

// Why a print failed on Windows, where the window is drawn on the printer.
inline constexpr const char* kPageRefused =
    "プリンターがページを受け付けませんでした。";

}  // namespace toric::window_texts
