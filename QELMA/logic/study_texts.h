// The texts study mode, the solution tree and the progress line show, in
// Japanese as written; each is shown through Tr() (patterns with Fill()).
#pragma once

#include "BAN/texts.h"

namespace keldra::study_text {

inline constexpr const char* Right = KTEXT("正解");
inline constexpr const char* Wrong = KTEXT("不正解");
inline constexpr const char* Undecided = KTEXT("判定できません");
inline constexpr const char* Solved = KTEXT("正解！");
inline constexpr const char* OfferNext = KTEXT("PageDown：次の問題");
inline constexpr const char* OfferRetry = KTEXT("R：やり直す");
inline constexpr const char* WhiteLives = KTEXT("白 %1 で生き");  // %1: "X Y"
inline constexpr const char* WhiteLivesByPass = KTEXT("白 パス で生き");
inline constexpr const char* Pass = KTEXT("パス");
inline constexpr const char* SolvedCount = KTEXT("%1/%2 解いた");  // k/n solved
inline constexpr const char* NoUnsolved = KTEXT("未解決の問題はありません");
inline constexpr const char* TreeWindowCaption = KTEXT("解答図");
inline constexpr const char* TreeFromBook = KTEXT("問題集の解答");
inline constexpr const char* TreeFromProof = KTEXT("検証の解答図：%1");  // %1: the verdict
inline constexpr const char* NoTree = KTEXT("解答図がありません");
inline constexpr const char* MarkRight = "○";
inline constexpr const char* MarkWrong = "×";
inline constexpr const char* MarkKo = KTEXT("コウ");
inline constexpr const char* MarkNone = KTEXT("・");
inline constexpr const char* CloseTree = KTEXT("閉じる");
inline constexpr const char* TreeCut = KTEXT("（以下略：%1 手）");  // rows beyond the list's limit
inline constexpr const char* StoreDamaged = KTEXT("記録ファイルが壊れていたので %1 に移して、新しく記録します。");
inline constexpr const char* StoreUnwritable =
    KTEXT("記録ファイルに書き込めません（%1）。この間の記録は保存されません。");
inline constexpr const char* BlackMove = KTEXT("黒 %1");
inline constexpr const char* WhiteMove = KTEXT("白 %1");

}  // namespace keldra::study_text
