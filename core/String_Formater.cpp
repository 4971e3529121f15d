#include "core/String_Formater.h"

#include <charconv>
#include <cstdio>

#include "core/Sjis.h"

std::string FormatLogDateTime(const TDateTimeParts& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour, t.minute,
                t.second, t.millisecond);
  return buf;
}

std::string FormatV(const char* format, va_list args) {
  if (!format) return std::string();
  va_list copy;
  va_copy(copy, args);
  char small[512];
  int n = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n < 0) return std::string();
  if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
  std::string r(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(r.data(), r.size(), format, args);
  r.resize(static_cast<size_t>(n));
  return r;
}

std::string FloatText(double value) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return res.ec == std::errc() ? std::string(buf, res.ptr) : std::string();
}

void TStringFormater::Clear() {
  text_.clear();
  Level = 0;
  IndentWidth = 2;
  lineCounter_ = 0;
  lineOpen_ = false;
  newLinePending_ = false;
}

TStringList TStringFormater::Lines() const {
  TStringList list;
  list.SetText(text_);
  return list;
}

TStringFormater& TStringFormater::Write(std::string_view text) {
  const std::vector<std::string> lines = sjis::SplitLines(text);
  const std::string indent(static_cast<size_t>(Level > 0 ? Level * IndentWidth : 0), ' ');
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (newLinePending_) {
      newLinePending_ = false;
      if (lineOpen_) {
        out += "\r\n";
        lineOpen_ = false;
        if (line.empty()) continue;  // the level change already ended this line
      }
    }
    if (lineOpen_) {
      out += line;
    } else {
      ++lineCounter_;
      if (LineNumbers) {
        char num[32];
        std::snprintf(num, sizeof num, "%.5d| ", lineCounter_);
        out += num;
      }
      out += indent;
      out += line;
    }
    if (!line.empty() && i + 1 == lines.size()) {
      lineOpen_ = true;
    } else {
      out += "\r\n";
      lineOpen_ = false;
    }
  }
  if (OnOutput) OnOutput(out);
  // The text is kept whole, so a chunk that ends in a line break never runs
  // into the next one.
  text_ += out;
  newLinePending_ = false;
  return *this;
}

TStringFormater& TStringFormater::AddStrings(const TStringList* list) {
  if (!list) return Write("NIL");
  for (int i = 0; i < list->Count(); ++i) Write(i == 0 ? (*list)[i] : "\r\n" + (*list)[i]);
  return *this;
}

TStringFormater& TStringFormater::Indent() {
  ++Level;
  newLinePending_ = true;
  return *this;
}

TStringFormater& TStringFormater::Unindent() {
  if (Level > 0) --Level;
  newLinePending_ = true;
  return *this;
}

TStringFormater& TStringFormater::AddDateTime() { return AddDateTime(LocalNow()); }
TStringFormater& TStringFormater::AddDateTime(const TDateTimeParts& t) { return Write(FormatLogDateTime(t)); }
TStringFormater& TStringFormater::AddInt(long long value) { return Write(std::to_string(value)); }
TStringFormater& TStringFormater::AddFloat(double value) { return Write(FloatText(value)); }

TStringFormater& TStringFormater::AddFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  AddFormatV(format, args);
  va_end(args);
  return *this;
}

TStringFormater& TStringFormater::AddFormatV(const char* format, va_list args) { return Write(FormatV(format, args)); }

TStringFormater& TStringFormater::AddObject(const TLoggable* object) {
  return Write(object ? object->ToString() : std::string("nil"));
}
