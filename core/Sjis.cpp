#include "core/Sjis.h"

#include <climits>

namespace sjis {

namespace {

constexpr char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// Does sub occur at byte i of s (a character boundary)? The walk follows the
// characters of s, so a match can never end inside a double-byte character, and
// only single-byte characters are case-folded.
bool MatchAt(std::string_view s, size_t i, std::string_view sub, bool ignoreCase) {
  if (sub.size() > s.size() - i) return false;
  size_t k = 0;
  while (k < sub.size()) {
    size_t len = CharLen(s, i + k);
    if (k + len > sub.size()) return false;
    if (len == 1) {
      char a = s[i + k], b = sub[k];
      if (ignoreCase) { a = FoldAscii(a); b = FoldAscii(b); }
      if (a != b) return false;
    } else if (s[i + k] != sub[k] || s[i + k + 1] != sub[k + 1]) {
      return false;
    }
    k += len;
  }
  return true;
}

size_t FindImpl(std::string_view s, std::string_view sub, size_t from, bool ignoreCase) {
  if (from > s.size()) return npos;
  if (sub.empty()) return from;
  for (size_t i = from; i < s.size(); i = NextPos(s, i))
    if (MatchAt(s, i, sub, ignoreCase)) return i;
  return npos;
}

}  // namespace

size_t CharLen(std::string_view s, size_t i) {
  if (i >= s.size()) return 0;
  return (IsLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
}

size_t PrevPos(std::string_view s, size_t i) {
  if (i == 0) return 0;
  if (i > s.size()) i = s.size();
  size_t p = 0, prev = 0;
  while (p < i) { prev = p; p = NextPos(s, p); }
  return prev;
}

bool IsTrailByteAt(std::string_view s, size_t i) {
  if (i == 0 || i >= s.size()) return false;
  size_t p = 0;
  while (p < i) {
    size_t n = NextPos(s, p);
    if (n > i) return true;
    p = n;
  }
  return false;
}

size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); i = NextPos(s, i)) ++n;
  return n;
}

size_t CharToBytePos(std::string_view s, size_t ci) {
  size_t i = 0;
  while (ci > 0 && i < s.size()) { i = NextPos(s, i); --ci; }
  return i;
}

size_t ByteToCharPos(std::string_view s, size_t bi) {
  size_t n = 0;
  for (size_t i = 0; i < s.size() && i < bi; i = NextPos(s, i)) {
    if (NextPos(s, i) > bi) break;
    ++n;
  }
  return n;
}

std::string ToUpperAscii(std::string_view s) {
  std::string r(s);
  for (size_t i = 0; i < r.size(); i = NextPos(r, i))
    if (CharLen(r, i) == 1) r[i] = FoldAscii(r[i]);
  return r;
}

std::string ToLowerAscii(std::string_view s) {
  std::string r(s);
  for (size_t i = 0; i < r.size(); i = NextPos(r, i))
    if (CharLen(r, i) == 1 && r[i] >= 'A' && r[i] <= 'Z') r[i] = char(r[i] - 'A' + 'a');
  return r;
}

int CompareIgnoreCase(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    size_t la = CharLen(a, i), lb = CharLen(b, j);
    unsigned ca, cb;
    if (la == 1) ca = static_cast<unsigned char>(FoldAscii(a[i]));
    else ca = (unsigned(static_cast<unsigned char>(a[i])) << 8) | static_cast<unsigned char>(a[i + 1]);
    if (lb == 1) cb = static_cast<unsigned char>(FoldAscii(b[j]));
    else cb = (unsigned(static_cast<unsigned char>(b[j])) << 8) | static_cast<unsigned char>(b[j + 1]);
    // Single-byte characters sort before double-byte ones.
    if (la != lb) return la < lb ? -1 : 1;
    if (ca != cb) return ca < cb ? -1 : 1;
    i += la; j += lb;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && MatchAt(s, 0, prefix, false);
}

bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && MatchAt(s, 0, prefix, true);
}

bool EndsWithIgnoreCase(std::string_view s, std::string_view suffix) {
  if (suffix.size() > s.size()) return false;
  size_t start = s.size() - suffix.size();
  if (IsTrailByteAt(s, start)) return false;
  return MatchAt(s, start, suffix, true);
}

size_t Find(std::string_view s, std::string_view sub, size_t from) { return FindImpl(s, sub, from, false); }
size_t FindIgnoreCase(std::string_view s, std::string_view sub, size_t from) { return FindImpl(s, sub, from, true); }

size_t FindChar(std::string_view s, char c, size_t from) {
  for (size_t i = from; i < s.size(); i = NextPos(s, i))
    if (CharLen(s, i) == 1 && s[i] == c) return i;
  return npos;
}

size_t FindLastChar(std::string_view s, char c) {
  size_t found = npos;
  for (size_t i = 0; i < s.size(); i = NextPos(s, i))
    if (CharLen(s, i) == 1 && s[i] == c) found = i;
  return found;
}

size_t FindFirstSlash(std::string_view s, size_t from) {
  for (size_t i = from; i < s.size(); i = NextPos(s, i))
    if (CharLen(s, i) == 1 && (s[i] == '\\' || s[i] == '/')) return i;
  return npos;
}

size_t FindLastSlash(std::string_view s) {
  size_t found = npos;
  for (size_t i = 0; i < s.size(); i = NextPos(s, i))
    if (CharLen(s, i) == 1 && (s[i] == '\\' || s[i] == '/')) found = i;
  return found;
}

bool EndsWithChar(std::string_view s, char c) {
  if (s.empty()) return false;
  size_t last = PrevPos(s, s.size());
  return CharLen(s, last) == 1 && s[last] == c;
}

bool StartsWithChar(std::string_view s, char c) { return !s.empty() && CharLen(s, 0) == 1 && s[0] == c; }

bool Contains(std::string_view s, std::string_view sub) { return Find(s, sub) != npos; }

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to, bool ignoreCase) {
  if (from.empty()) return std::string(s);
  std::string r;
  r.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    if (MatchAt(s, i, from, ignoreCase)) {
      r.append(to);
      i += from.size();
    } else {
      size_t n = NextPos(s, i);
      r.append(s.substr(i, n - i));
      i = n;
    }
  }
  return r;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0, i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      // CR and LF are never trail bytes, so a plain byte walk is safe here.
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string NormalizeLineBreaks(std::string_view text) {
  std::string r;
  r.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      r += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      r += "\r\n";
    } else {
      r += c;
    }
  }
  return r;
}

std::string ExtractFilePath(std::string_view path) {
  size_t found = npos;
  for (size_t i = 0; i < path.size(); i = NextPos(path, i))
    if (CharLen(path, i) == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':')) found = i;
  return found == npos ? std::string() : std::string(path.substr(0, found + 1));
}

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(ExtractFilePath(path).size()));
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  if (EndsWithChar(path, '\\') || EndsWithChar(path, '/')) return std::string(path.substr(0, path.size() - 1));
  return std::string(path);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  if (EndsWithChar(path, '\\') || EndsWithChar(path, '/')) return std::string(path);
  return std::string(path) + '\\';
}

std::string ExtractFileExt(std::string_view path) {
  size_t base = ExtractFilePath(path).size();
  size_t dot = FindLastChar(path.substr(base), '.');
  return dot == npos ? std::string() : std::string(path.substr(base + dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  size_t base = ExtractFilePath(path).size();
  size_t dot = FindLastChar(path.substr(base), '.');
  std::string stem(dot == npos ? path : path.substr(0, base + dot));
  return stem + std::string(ext);
}

std::string TrimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  // A byte <= ' ' is never a trail byte (trail bytes start at 0x40).
  size_t e = s.size();
  while (e > 0 && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

bool TryStrToInt(std::string_view s, int& out) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) { neg = s[i] == '-'; ++i; }
  int base = 10;
  if (i < s.size() && s[i] == '$') { base = 16; ++i; }
  else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) { base = 16; i += 2; }
  if (i >= s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v * base + d;
    if (v > (long long)UINT_MAX + 1) return false;
  }
  if (base == 10) {
    if (neg) v = -v;
    if (v < INT_MIN || v > INT_MAX) return false;
    out = static_cast<int>(v);
  } else {
    // Hexadecimal texts cover the whole 32-bit range, as the class library's do.
    if (v > (long long)UINT_MAX) return false;
    unsigned u = static_cast<unsigned>(v);
    out = neg ? -static_cast<int>(u) : static_cast<int>(u);
  }
  return true;
}

std::string IntToStr(long long v) { return std::to_string(v); }

}  // namespace sjis
