// Indenting text builder with optional line numbers and an output callback: the
// launcher's debug log writes through it, and objects describe themselves with
// it. Every call returns the builder so that calls chain. Pure logic.
#pragma once

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>

#include "core/StringList.h"

// printf-style checking of the format arguments; MinGW's C library formats
// the C99 way (%zu, %lld) when its ANSI stdio is on, as libstdc++ turns it on.
#if defined(__MINGW32__)
#define QV_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define QV_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

// Objects that can be written to a formatter or the log.
class TLoggable {
 public:
  virtual ~TLoggable() = default;
  virtual std::string ClassName() const = 0;
  // The object's own description; its class name unless it has a better one.
  virtual std::string ToString() const { return ClassName(); }
};

// Calendar time split into fields, as the log prints it.
struct TDateTimeParts {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};
// "yyyy/mm/dd hh:nn:ss.zzz"
std::string FormatLogDateTime(const TDateTimeParts& t);
// The local time now (from the platform seam of the log).
TDateTimeParts LocalNow();

class TStringFormater {
 public:
  using TOutputEvent = std::function<void(const std::string& text)>;

  TStringFormater() { Clear(); }

  // Empties the text; level 0, indent width 2, line counter 0.
  void Clear();

  // The text so far split into its lines.
  TStringList Lines() const;
  // The text so far (no line break after the last line).
  const std::string& GetText() const { return text_; }

  TStringFormater& Write(std::string_view text);
  TStringFormater& Add(std::string_view text) { return Write(text); }
  // "NIL" without a list; else the items with CR LF between them.
  TStringFormater& AddStrings(const TStringList* list);
  // Level changes end an open line before the next text.
  TStringFormater& Indent();
  TStringFormater& Unindent();
  TStringFormater& AddDateTime();
  TStringFormater& AddDateTime(const TDateTimeParts& t);
  TStringFormater& AddInt(long long value);
  TStringFormater& AddFloat(double value);
  TStringFormater& NewLine() { return Write("\r\n"); }
  TStringFormater& AddFormat(const char* format, ...) QV_PRINTF_FORMAT(2, 3);
  TStringFormater& AddFormatV(const char* format, va_list args);
  // "nil" without an object, else its ToString.
  TStringFormater& AddObject(const TLoggable* object);

  int Level = 0;
  int IndentWidth = 2;
  bool LineNumbers = false;
  TOutputEvent OnOutput;

 private:
  std::string text_;
  int lineCounter_ = 0;
  bool lineOpen_ = false;
  bool newLinePending_ = false;
};

// printf-style formatting into a string (shared by the logs).
std::string FormatV(const char* format, va_list args);
// The shortest decimal text that reads back as the same value.
std::string FloatText(double value);
