#include "completion/Romaji_To_Kana.h"

#include "core/Sjis.h"

namespace {

struct TRomajiRow {
  const char* prefix;
  const char* kana[5];  // a, i, u, e, o
};

// Searched from the top: rows 21 and 22 repeat 19 and 20 and are never reached;
// they stay so that row numbers keep their meaning.
const TRomajiRow kRomajiTable[] = {
    {"", {"あ", "い", "う", "え", "お"}},
    {"k", {"か", "き", "く", "け", "こ"}},
    {"s", {"さ", "し", "す", "せ", "そ"}},
    {"t", {"た", "ち", "つ", "て", "と"}},
    {"n", {"な", "に", "ぬ", "ね", "の"}},
    {"h", {"は", "ひ", "ふ", "へ", "ほ"}},
    {"m", {"ま", "み", "む", "め", "も"}},
    {"y", {"や", "い", "ゆ", "いぇ", "よ"}},
    {"r", {"ら", "り", "る", "れ", "ろ"}},
    {"w", {"わ", "うぃ", "う", "うぇ", "を"}},
    {"z", {"ざ", "じ", "ず", "ぜ", "ぞ"}},
    {"j", {"じゃ", "じ", "じゅ", "じぇ", "じょ"}},
    {"ch", {"ちゃ", "ち", "ちゅ", "ちぇ", "ちょ"}},
    {"dh", {"でゃ", "でぃ", "でゅ", "でぇ", "でょ"}},
    {"d", {"だ", "ぢ", "づ", "で", "ど"}},
    {"v", {"ヴぁ", "ヴぃ", "ヴ", "ヴぇ", "ヴぉ"}},
    {"ky", {"きゃ", "きぃ", "きゅ", "きぇ", "きょ"}},
    {"g", {"が", "ぎ", "ぐ", "げ", "ご"}},
    {"jy", {"じゃ", "じぃ", "じゅ", "じぇ", "じょ"}},
    {"th", {"てゃ", "てぃ", "てゅ", "てぇ", "てょ"}},
    {"sh", {"しゃ", "し", "しゅ", "しぇ", "しょ"}},
    {"th", {"てゃ", "てぃ", "てゅ", "てぇ", "てょ"}},
    {"sh", {"しゃ", "し", "しゅ", "しぇ", "しょ"}},
    {"q", {"くぁ", "くぃ", "く", "くぇ", "くぉ"}},
    {"b", {"ば", "び", "ぶ", "べ", "ぼ"}},
    {"x", {"ぁ", "ぃ", "ぅ", "ぇ", "ぉ"}},
    {"l", {"ぁ", "ぃ", "ぅ", "ぇ", "ぉ"}},
    {"hy", {"ひゃ", "ひぃ", "ひゅ", "ひぇ", "ひょ"}},
    {"gy", {"ぎゃ", "ぎぃ", "ぎゅ", "ぎぇ", "ぎょ"}},
    {"f", {"ふぁ", "ふぃ", "ふ", "ふぇ", "ふぉ"}},
    {"p", {"ぱ", "ぴ", "ぷ", "ぺ", "ぽ"}},
};

int VowelIndex(char c) {
  switch (c) {
    case 'a': return 0;
    case 'i': return 1;
    case 'u': return 2;
    case 'e': return 3;
    case 'o': return 4;
    default: return -1;
  }
}

struct TConverter {
  std::string out;
  std::string pending;  // consonants typed since the last kana
};

// A double-byte character is copied whole. A byte of 0x80 or more that is no
// lead byte (half-width katakana among them) is one character by itself: the
// byte after it is converted as usual.
size_t AppendDoubleByteChar(TConverter& cv, std::string_view text, size_t i) {
  size_t len = sjis::CharLen(text, i);
  cv.out.append(text.substr(i, len));
  return len;
}

// True when c was consumed as the vowel of the pending consonants.
bool AppendRomajiVowel(TConverter& cv, char c) {
  int row = FindRomajiRow(cv.pending);
  if (cv.pending.size() > 2) {
    cv.out += cv.pending;
    cv.pending.clear();
  }
  int v = VowelIndex(c);
  if (row < 0 || v < 0) return false;
  cv.out += kRomajiTable[row].kana[v];
  cv.pending.clear();
  return true;
}

void AppendRomajiConsonant(TConverter& cv, char c) {
  if (c < 'a' || c > 'z') {
    cv.out += c;
    cv.pending.clear();
  } else if (cv.pending.empty()) {
    cv.pending = c;
  } else if (cv.pending == "n") {
    cv.out += "ん";
    if (c == 'n') cv.pending.clear();
    else cv.pending = c;
  } else if (cv.pending.size() == 1 && cv.pending[0] == c) {
    cv.out += "っ";
  } else {
    cv.pending += c;
  }
}

}  // namespace

int FindRomajiRow(std::string_view pending) {
  int n = static_cast<int>(sizeof(kRomajiTable) / sizeof(kRomajiTable[0]));
  for (int i = 0; i < n; ++i)
    if (pending == kRomajiTable[i].prefix) return i;
  return -1;
}

std::string RomajiToKana(std::string_view text) {
  TConverter cv;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      i += AppendDoubleByteChar(cv, text, i);
      continue;
    }
    ++i;
    if (AppendRomajiVowel(cv, c)) continue;
    if (c == '-') {
      cv.out += "ー";
      continue;
    }
    AppendRomajiConsonant(cv, c);
  }
  if (cv.pending == "n") cv.out += "ん";
  else cv.out += cv.pending;
  return cv.out;
}
