#pragma once
// Errors of the pattern library.
//
// Every problem with a pattern or a replacement text raises ERegExpParser:
// what() is the Shift-JIS message (one of the constants below, exactly) and
// Position() the 1-based byte index in the pattern where reading stood when
// the problem was found (0 when the pattern as a whole is too complex for
// the automaton limits). Internal faults (which a correct build never hits)
// raise std::runtime_error with kMsgParseTreeFatal or kMsgNfaCannotHappen.

#include <cstddef>
#include <stdexcept>
#include <string>

#include "common/SjisLiteral.h"

namespace tagsling::regex {

class ERegExpParser : public std::runtime_error {
 public:
  ERegExpParser(const std::string& message, std::size_t position) : std::runtime_error(message), position_(position) {}

  const char* Message() const noexcept { return what(); }
  std::size_t Position() const noexcept { return position_; }

 private:
  std::size_t position_;
};

// Messages, in code page 932 (written as UTF-8, converted while compiling:
// common/SjisLiteral.h), each with its meaning.

// Invalid double-byte character code.
inline constexpr const char* kMsgInvalidDoubleByte = "不正な２バイト文字コードです。"_sjis;
// A character is needed after "\".
inline constexpr const char* kMsgCharacterAfterBackslash = "\"\\\"の次には文字が必要です。"_sjis;
// Invalid hexadecimal notation.
inline constexpr const char* kMsgInvalidHex = "不正な１６進数コード表記です。"_sjis;
// Invalid octal notation.
inline constexpr const char* kMsgInvalidOctal = "不正な８進数コード表記です。"_sjis;
// A right bracket "]" is required.
inline constexpr const char* kMsgRightBracketNeeded = "右ブラケット\"]\"が必要です"_sjis;
// Invalid character range.
inline constexpr const char* kMsgInvalidRange = "不正なキャラクタ範囲です"_sjis;
// A right (closing) parenthesis is required.
inline constexpr const char* kMsgRightParenNeeded = "右(閉じ)括弧が必要です"_sjis;
// An ordinary character or a left parenthesis "(" is required.
inline constexpr const char* kMsgCharOrLeftParenNeeded = "普通の文字、または左括弧\"(\"が必要です"_sjis;
// Invalid character class.
inline constexpr const char* kMsgInvalidClass = "不正なキャラクタクラス指定です。"_sjis;
// The regular expression has extra characters.
inline constexpr const char* kMsgExtraCharacters = "正規表現に余分な文字があります"_sjis;
// The regular expression is too complex: the pattern nests groups too deeply or its automaton would grow beyond the
// size limits.
inline constexpr const char* kMsgTooComplex = "正規表現が複雑すぎます"_sjis;
// Internal fault: a leaf split lost a piece.
inline constexpr const char* kMsgParseTreeFatal = "TREParseTree : 致命的エラー"_sjis;
// Internal fault: the automaton builder met a node kind it does not know.
inline constexpr const char kMsgNfaCannotHappen[] = "This cannot happen in TRE_NFA.GenerateStateList";

}  // namespace tagsling::regex
