#include "core/StringList.h"

#include "core/Sjis.h"

void TStringList::Move(int from, int to) {
  if (from == to) return;
  std::string s = std::move(items_[static_cast<size_t>(from)]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, std::move(s));
}

std::string TStringList::GetText() const {
  std::string r;
  size_t n = 0;
  for (const auto& s : items_) n += s.size() + 2;
  r.reserve(n);
  for (const auto& s : items_) { r += s; r += "\r\n"; }
  return r;
}

void TStringList::SetText(std::string_view text) { items_ = sjis::SplitLines(text); }

int TStringList::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i)
    if (sjis::EqualsIgnoreCase(items_[static_cast<size_t>(i)], s)) return i;
  return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& line = items_[static_cast<size_t>(i)];
    size_t eq = sjis::FindChar(line, '=');
    if (eq != sjis::npos && sjis::EqualsIgnoreCase(std::string_view(line).substr(0, eq), name)) return i;
  }
  return -1;
}

std::string TStringList::Name(int i) const {
  const std::string& line = items_[static_cast<size_t>(i)];
  size_t eq = sjis::FindChar(line, '=');
  return eq == sjis::npos ? line : line.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int i) const {
  const std::string& line = items_[static_cast<size_t>(i)];
  size_t eq = sjis::FindChar(line, '=');
  return eq == sjis::npos ? std::string() : line.substr(eq + 1);
}

std::string TStringList::Value(std::string_view name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValue(std::string_view name, std::string_view value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  std::string line = std::string(name) + "=" + std::string(value);
  if (i >= 0) items_[static_cast<size_t>(i)] = std::move(line);
  else items_.push_back(std::move(line));
}

std::string TStringList::GetDelimitedText(char delimiter, char quote) const {
  if (items_.size() == 1 && items_[0].empty()) return std::string(2, quote);
  std::string r;
  for (size_t k = 0; k < items_.size(); ++k) {
    const std::string& s = items_[k];
    bool needQuote = false;
    for (size_t i = 0; i < s.size(); i = sjis::NextPos(s, i)) {
      unsigned char c = static_cast<unsigned char>(s[i]);
      if (sjis::CharLen(s, i) == 1 && (c <= ' ' || s[i] == quote || s[i] == delimiter)) { needQuote = true; break; }
    }
    if (needQuote) {
      r += quote;
      for (size_t i = 0; i < s.size(); i = sjis::NextPos(s, i)) {
        if (sjis::CharLen(s, i) == 1 && s[i] == quote) r += quote;
        r.append(s, i, sjis::CharLen(s, i));
      }
      r += quote;
    } else {
      r += s;
    }
    if (k + 1 < items_.size()) r += delimiter;
  }
  return r;
}

void TStringList::SetDelimitedText(std::string_view text, char delimiter, char quote) {
  items_.clear();
  auto isBlank = [&](size_t i) { return i < text.size() && text[i] != '\0' && static_cast<unsigned char>(text[i]) <= ' '; };
  size_t p = 0;
  while (isBlank(p)) ++p;
  while (p < text.size() && text[p] != '\0') {
    std::string item;
    if (text[p] == quote) {
      // Quoted item: a doubled quote stands for one; an unterminated one runs to the end.
      ++p;
      while (p < text.size()) {
        if (sjis::CharLen(text, p) == 1 && text[p] == quote) {
          if (p + 1 < text.size() && text[p + 1] == quote) { item += quote; p += 2; continue; }
          ++p;
          break;
        }
        size_t n = sjis::NextPos(text, p);
        item.append(text.substr(p, n - p));
        p = n;
      }
    } else {
      size_t start = p;
      while (p < text.size() && static_cast<unsigned char>(text[p]) > ' ' && text[p] != delimiter) p = sjis::NextPos(text, p);
      item.assign(text.substr(start, p - start));
    }
    items_.push_back(std::move(item));
    while (isBlank(p)) ++p;
    if (p < text.size() && text[p] == delimiter) {
      if (p + 1 >= text.size()) items_.emplace_back();
      do { ++p; } while (isBlank(p));
    }
  }
}
