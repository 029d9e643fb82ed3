// The window's texts are written in Japanese where they are made, and a
// front end may show them in another language: it installs a translator,
// which gets each text as written (a pattern, before its %1, %2 ... are
// filled in) and returns the text to show. keldra-cli installs none and so
// prints the Japanese.
//
// A Japanese text is written as Tr("...") where it is shown, or KTEXT("...")
// where it is only defined (a constant shown later through Tr), so that
// scripts/texts.py finds every one of them for the translation files.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a literal as a window text without translating it here.
#define KTEXT(literal) literal

namespace keldra {

using TextTranslator = std::function<std::string(std::string_view japanese)>;

// Installs the translator every later Tr() asks; an empty one shows the texts
// as written. Install it before the texts are made (at start, or in a test
// before it builds a window), not while other threads make texts.
void SetTextTranslator(TextTranslator translator);

// True while a translator is installed: the texts may not be the Japanese.
bool TextsTranslated();

// The text to show for the Japanese text `japanese`.
std::string Tr(std::string_view japanese);

// `pattern` with %1, %2, ... (up to %9) replaced by the arguments in their
// order; a % not followed by the number of an argument stays as it is.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace keldra
