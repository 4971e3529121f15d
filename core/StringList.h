// Ordered list of text lines: the "list of lines" that stores, files and
// requests are made of. Allows duplicates, keeps order; names and lookups ignore
// ASCII case and respect double-byte characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TStringList {
 public:
  TStringList() = default;
  explicit TStringList(std::vector<std::string> lines) : items_(std::move(lines)) {}

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  const std::string& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  std::string& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const std::string& Get(int i) const { return items_.at(static_cast<size_t>(i)); }

  int Add(std::string s) { items_.push_back(std::move(s)); return Count() - 1; }
  void AddStrings(const TStringList& other) { items_.insert(items_.end(), other.items_.begin(), other.items_.end()); }
  void Insert(int i, std::string s) { items_.insert(items_.begin() + i, std::move(s)); }
  void Delete(int i) { items_.erase(items_.begin() + i); }
  void Clear() { items_.clear(); }
  void Move(int from, int to);
  void Exchange(int a, int b) { std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]); }

  // Every line followed by CR LF.
  std::string GetText() const;
  // Lines end at CR LF, CR or LF; a final break adds no empty line.
  void SetText(std::string_view text);

  // Case-insensitive (ASCII) whole-line search; -1 when absent.
  int IndexOf(std::string_view s) const;
  // Index of the first line whose part before its first "=" equals name; -1 when absent.
  int IndexOfName(std::string_view name) const;
  // Part of line i before its first "=" (the whole line when it has none).
  std::string Name(int i) const;
  // Part of line i after its first "=" (empty when it has none).
  std::string ValueFromIndex(int i) const;
  // Value of the first line of that name; empty when absent.
  std::string Value(std::string_view name) const;
  // Sets the first line of that name to name=value, appending when absent; an
  // empty value deletes that line.
  void SetValue(std::string_view name, std::string_view value);

  // Comma text: items separated by commas or blanks, double quotes group (a
  // doubled quote is one quote); written back quoted where needed.
  std::string GetCommaText() const { return GetDelimitedText(',', '"'); }
  void SetCommaText(std::string_view text) { SetDelimitedText(text, ',', '"'); }
  std::string GetDelimitedText(char delimiter, char quote) const;
  void SetDelimitedText(std::string_view text, char delimiter, char quote);

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  const std::vector<std::string>& Items() const { return items_; }
  std::vector<std::string>& Items() { return items_; }

  bool operator==(const TStringList& o) const { return items_ == o.items_; }

 private:
  std::vector<std::string> items_;
};
