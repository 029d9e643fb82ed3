// The texts study mode, the solution tree and the progress line show.
#pragma once

namespace keldra::study_text {

inline constexpr const char* Right = "正解";
inline constexpr const char* Wrong = "不正解";
inline constexpr const char* Undecided = "判定できません";
inline constexpr const char* Solved = "正解！";
inline constexpr const char* OfferNext = "PageDown：次の問題";
inline constexpr const char* OfferRetry = "R：やり直す";
inline constexpr const char* WhiteLives = "白 %1 で生き";   // %1: "X Y" or "パス"
inline constexpr const char* Pass = "パス";
inline constexpr const char* SolvedCount = "%1/%2 解いた";  // k/n solved
inline constexpr const char* NoUnsolved = "未解決の問題はありません";
inline constexpr const char* TreeWindowCaption = "解答図";
inline constexpr const char* TreeFromBook = "問題集の解答";
inline constexpr const char* TreeFromProof = "検証の解答図：%1";  // %1: the verdict
inline constexpr const char* NoTree = "解答図がありません";
inline constexpr const char* MarkRight = "○";
inline constexpr const char* MarkWrong = "×";
inline constexpr const char* MarkKo = "コウ";
inline constexpr const char* MarkNone = "・";
inline constexpr const char* CloseTree = "閉じる";
inline constexpr const char* TreeCut = "（以下略：%1 手）";  // rows beyond the list's limit
inline constexpr const char* StoreDamaged = "記録ファイルが壊れていたので %1 に移して、新しく記録します。";
inline constexpr const char* StoreUnwritable = "記録ファイルに書き込めません（%1）。この間の記録は保存されません。";

}  // namespace keldra::study_text

#include <string>

namespace keldra::study_text {

// `text` with "%1" and "%2" replaced by `a` and `b`.
inline std::string Fill(const char* text, const std::string& a, const std::string& b = {}) {
    std::string out(text);
    for (const auto& [mark, value] : {std::pair<const char*, const std::string&>{"%1", a}, {"%2", b}}) {
        const auto at = out.find(mark);
        if (at != std::string::npos) out.replace(at, 2, value);
    }
    return out;
}

}  // namespace keldra::study_text

namespace keldra::study_text {

inline constexpr const char* BlackMove = "黒 %1";
inline constexpr const char* WhiteMove = "白 %1";

}  // namespace keldra::study_text
