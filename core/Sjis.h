// Shift-JIS (code page 932) byte-string kit.
//
// Every walk over text in the system goes through these helpers so that the two
// bytes of a double-byte character stay together: a trail byte may be 0x5C ("\",
// as in ソ 0x83 0x5C and 表 0x95 0x5C), "/" never is, but both searches must skip
// trail bytes all the same. Pure logic: no Windows header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sjis {

inline constexpr size_t npos = std::string::npos;

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Byte length of the character starting at byte i (2 for a lead byte with a byte
// after it, else 1; 0 at or past the end).
size_t CharLen(std::string_view s, size_t i);
// Byte position of the character after the one at i.
inline size_t NextPos(std::string_view s, size_t i) { return i + CharLen(s, i); }
// Byte position where the character that ends just before i starts (0 at the start).
size_t PrevPos(std::string_view s, size_t i);
// True when byte i is the trail byte of a double-byte character.
bool IsTrailByteAt(std::string_view s, size_t i);

// Number of characters (a double-byte character counts once).
size_t CharCount(std::string_view s);
// Byte offset of the character with 0-based index ci (clamped to the length).
size_t CharToBytePos(std::string_view s, size_t ci);
// Character index of byte offset bi (a position inside a character counts as that character).
size_t ByteToCharPos(std::string_view s, size_t bi);

// ASCII-only case folding that leaves double-byte characters untouched.
std::string ToUpperAscii(std::string_view s);
std::string ToLowerAscii(std::string_view s);

// Comparison ignoring the case of ASCII letters; double-byte characters compare
// as whole characters. Returns <0, 0, >0.
int CompareIgnoreCase(std::string_view a, std::string_view b);
inline bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareIgnoreCase(a, b) == 0; }
bool StartsWith(std::string_view s, std::string_view prefix);
bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix);
bool EndsWithIgnoreCase(std::string_view s, std::string_view suffix);

// Searches that only match at character boundaries. `from` is a byte offset that
// must be a character boundary.
size_t Find(std::string_view s, std::string_view sub, size_t from = 0);
size_t FindIgnoreCase(std::string_view s, std::string_view sub, size_t from = 0);
size_t FindChar(std::string_view s, char c, size_t from = 0);
size_t FindLastChar(std::string_view s, char c);
// First or last "\" or "/" (whichever comes first/last), never a trail byte.
size_t FindFirstSlash(std::string_view s, size_t from = 0);
size_t FindLastSlash(std::string_view s);
// True when the last character of s is c (a trail byte 0x5C is not "\").
bool EndsWithChar(std::string_view s, char c);
bool StartsWithChar(std::string_view s, char c);
bool Contains(std::string_view s, std::string_view sub);

// Replaces every occurrence, left to right, never re-scanning replaced text.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to, bool ignoreCase = false);

// Splits at CR LF, CR or LF. A break at the very end adds no further line; an
// empty text gives no line.
std::vector<std::string> SplitLines(std::string_view text);
// Makes every lone CR and lone LF a CR LF pair.
std::string NormalizeLineBreaks(std::string_view text);

// Folder part of a path up to and including its last "\", "/" or ":" (empty when
// there is none), and the part after it.
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
// Path without one trailing "\" or "/" (double-byte aware).
std::string ExcludeTrailingPathDelimiter(std::string_view path);
std::string IncludeTrailingPathDelimiter(std::string_view path);
// Extension including its dot (empty when none), from the last "." after the last delimiter.
std::string ExtractFileExt(std::string_view path);
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// Blanks and control characters trimmed from both ends (like the class library's Trim).
std::string Trim(std::string_view s);
std::string TrimRight(std::string_view s);
std::string TrimLeft(std::string_view s);

// Decimal parsing of a signed 32-bit integer, the whole text (optional sign,
// hexadecimal with a leading "$" or "0x" as the class library allows); false when
// it does not parse or overflows.
bool TryStrToInt(std::string_view s, int& out);
inline int StrToIntDef(std::string_view s, int def) { int v; return TryStrToInt(s, v) ? v : def; }
std::string IntToStr(long long v);

}  // namespace sjis
