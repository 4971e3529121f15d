// Synthetic keyword names shared by the benchmarks: ASCII words, Japanese
// words or both, from a fixed seed, so that every run sees the same names.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace benchnames {

struct TRandom {
  uint64_t s = 0x9E3779B97F4A7C15ull;
  uint32_t Next() { s ^= s << 13; s ^= s >> 7; s ^= s << 17; return uint32_t(s >> 11); }
  const char* Pick(std::span<const char* const> a) { return a[Next() % a.size()]; }
};

inline const char* const kAscii[] = {
    "note", "pad", "calc", "paint", "word", "excel", "power", "point", "visual", "studio", "code",
    "chrome", "fire", "fox", "media", "player", "photo", "shop", "reader", "steam", "zip", "term",
    "putty", "git", "bash", "python", "java", "memo", "tool", "setup", "update", "config", "explorer",
    "control", "panel", "system", "task", "manager", "regedit", "mail", "outlook", "zoom", "office",
    "backup", "sync", "remote", "desktop", "viewer", "editor", "keisan", "kyouto", "server", "client",
};
inline const char* const kJapanese[] = {
    "メモ帳", "電卓", "計算機", "ペイント", "京都", "東京", "地図", "設定", "ファイル", "フォルダ",
    "管理", "ツール", "写真", "音楽", "動画", "再生", "編集", "辞書", "翻訳", "日記", "住所録",
    "家計簿", "会議", "資料", "けいさん", "表計算", "ソフト", "予定表", "業務", "経理", "システム",
};

inline std::string Capitalised(std::string w, TRandom& r) {
  uint32_t k = r.Next() % 4;
  if (k == 1) w[0] = char(w[0] - 32);
  if (k == 2) for (auto& c : w) c = char(c - 32);
  return w;
}

// One name of 4 to about 40 bytes: one to three words joined by separators,
// now and then a version number after versionJoin.
inline std::string MakeName(TRandom& r, std::span<const char* const> separators, const char* versionJoin) {
  std::string name;
  uint32_t kind = r.Next() % 10;  // 0-4 ASCII, 5-7 Japanese, 8-9 mixed
  int words = 1 + int(r.Next() % 3);
  for (int i = 0; i < words; ++i) {
    if (i > 0) name += r.Pick(separators);
    bool japanese = kind >= 5 && (kind <= 7 || (r.Next() & 1));
    name += japanese ? std::string(r.Pick(kJapanese)) : Capitalised(r.Pick(kAscii), r);
  }
  if (r.Next() % 3 == 0) name += versionJoin + std::to_string(r.Next() % 2020);
  return name;
}

}  // namespace benchnames
