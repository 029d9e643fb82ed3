// The fixed texts of the help window: the contact header and the help memo.
#pragma once

#include <array>

namespace keldra {

inline constexpr int HelpLineCount = 174;
extern const std::array<const char*, HelpLineCount> HelpLines;

// The three lines of the header memo: who made the program, where to write.
inline constexpr std::array<const char*, 3> ContactLines = {
    "ZORVEK",
    "E-mail　support@zorvek.example",
    "質問．意見．感想は、上記　ｱﾄﾞﾚｽに、お願いします。",
};

}  // namespace keldra
