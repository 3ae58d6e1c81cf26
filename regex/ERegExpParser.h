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

namespace tagsling::regex {

class ERegExpParser : public std::runtime_error {
 public:
  ERegExpParser(const std::string& message, std::size_t position) : std::runtime_error(message), position_(position) {}

  const char* Message() const noexcept { return what(); }
  std::size_t Position() const noexcept { return position_; }

 private:
  std::size_t position_;
};

// Messages, Shift-JIS bytes. The Japanese text and its meaning are given above
// each constant.

// 不正な２バイト文字コードです。 (invalid double-byte character code)
inline constexpr const char kMsgInvalidDoubleByte[] =
    "\x95s\x90\xb3\x82\xc8\x82Q\x83o\x83"
    "C\x83g\x95\xb6\x8e\x9a\x83R\x81[\x83h\x82\xc5\x82\xb7\x81"
    "B";
// "\"の次には文字が必要です。 (a character is needed after "\")
inline constexpr const char kMsgCharacterAfterBackslash[] =
    "\"\\\"\x82\xcc\x8e\x9f\x82\xc9\x82\xcd\x95\xb6\x8e\x9a\x82\xaa\x95K\x97v\x82\xc5\x82\xb7\x81"
    "B";
// 不正な１６進数コード表記です。 (invalid hexadecimal notation)
inline constexpr const char kMsgInvalidHex[] =
    "\x95s\x90\xb3\x82\xc8\x82P\x82U\x90i\x90\x94\x83R\x81[\x83h\x95\\\x8bL\x82\xc5\x82\xb7\x81"
    "B";
// 不正な８進数コード表記です。 (invalid octal notation)
inline constexpr const char kMsgInvalidOctal[] =
    "\x95s\x90\xb3\x82\xc8\x82W\x90i\x90\x94\x83R\x81[\x83h\x95\\\x8bL\x82\xc5\x82\xb7\x81"
    "B";
// 右ブラケット"]"が必要です (a right bracket "]" is required)
inline constexpr const char kMsgRightBracketNeeded[] =
    "\x89"
    "E\x83u\x83\x89\x83P\x83"
    "b\x83g\"]\"\x82\xaa\x95K\x97v\x82\xc5\x82\xb7";
// 不正なキャラクタ範囲です (invalid character range)
inline constexpr const char kMsgInvalidRange[] =
    "\x95s\x90\xb3\x82\xc8\x83L\x83\x83\x83\x89\x83N\x83^\x94\xcd\x88\xcd\x82\xc5\x82\xb7";
// 右(閉じ)括弧が必要です (a right (closing) parenthesis is required)
inline constexpr const char kMsgRightParenNeeded[] =
    "\x89"
    "E(\x95\xc2\x82\xb6)\x8a\x87\x8c\xca\x82\xaa\x95K\x97v\x82\xc5\x82\xb7";
// 普通の文字、または左括弧"("が必要です (an ordinary character or a left parenthesis "(" is required)
inline constexpr const char kMsgCharOrLeftParenNeeded[] =
    "\x95\x81\x92\xca\x82\xcc\x95\xb6\x8e\x9a\x81"
    "A\x82\xdc\x82\xbd\x82\xcd\x8d\xb6\x8a\x87\x8c\xca\"(\"\x82\xaa\x95K\x97v\x82\xc5\x82\xb7";
// 不正なキャラクタクラス指定です。 (invalid character class)
inline constexpr const char kMsgInvalidClass[] =
    "\x95s\x90\xb3\x82\xc8\x83L\x83\x83\x83\x89\x83N\x83^\x83N\x83\x89\x83X\x8ew\x92\xe8\x82\xc5\x82\xb7\x81"
    "B";
// 正規表現に余分な文字があります (the regular expression has extra characters)
inline constexpr const char kMsgExtraCharacters[] =
    "\x90\xb3\x8bK\x95\\\x8c\xbb\x82\xc9\x97]\x95\xaa\x82\xc8\x95\xb6\x8e\x9a\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7";
// 正規表現が複雑すぎます (the regular expression is too complex): the pattern
// nests groups too deeply or its automaton would grow beyond the size limits.
inline constexpr const char kMsgTooComplex[] =
    "\x90\xb3\x8bK\x95\\\x8c\xbb\x82\xaa\x95\xa1\x8eG\x82\xb7\x82\xac\x82\xdc\x82\xb7";
// TREParseTree : 致命的エラー (internal fault: a leaf split lost a piece)
inline constexpr const char kMsgParseTreeFatal[] = "TREParseTree : \x92v\x96\xbd\x93I\x83G\x83\x89\x81[";
// Internal fault: the automaton builder met a node kind it does not know.
inline constexpr const char kMsgNfaCannotHappen[] = "This cannot happen in TRE_NFA.GenerateStateList";

}  // namespace tagsling::regex
