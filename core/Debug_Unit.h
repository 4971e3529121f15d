// The diagnostic log: silent unless the program was started with "/Debug".
// When on, every text is echoed to a console and kept in Debug.txt in the
// program's folder. Two line styles exist: the editor's (indented, the whole
// file rewritten after each write) and the launcher's (numbered lines through
// TStringFormater, each chunk appended to the file at once); each program
// chooses its style once at start-up with InitDebugLog. Every operation returns
// the log, so calls chain: DebugOut().Write("TFoo.Bar").WriteLn().Indent();
// Safe to call from worker threads (a lock guards the log while it is on);
// costs next to nothing when off. The formatting is pure; the console, the
// clock and the version facts come from Debug_Unit_win.cpp / _host.cpp.
#pragma once

#include <atomic>
#include <cstdarg>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "core/String_Formater.h"

class TStringList;

enum class TDebugStyle { Editor, Launcher };

// Where an enabled log's text goes.
class TDebugSink {
 public:
  virtual ~TDebugSink() = default;
  virtual void Echo(std::string_view text) = 0;        // to the console, flushed
  virtual void SaveFile(std::string_view text) = 0;    // the log file replaced by text
  virtual void AppendFile(std::string_view text) = 0;  // text added to the log file
  virtual void RemoveFile() = 0;
};
// The process's console (opened on first use) and the given file; file errors
// are swallowed.
std::unique_ptr<TDebugSink> NewConsoleFileSink(std::string fileName);

// What the header lines show.
struct TDebugHeader {
  TDateTimeParts start;
  std::string title;
  std::string programFile;  // full path
  std::string version;      // GetFileVersionText of the program file
  std::string timeStamp;    // GetFileTimeText of the program file
  std::string os;           // GetOSVersionText
};
// The header of the running program; an empty title stands for the program
// file's name without its extension.
TDebugHeader CollectDebugHeader(std::string_view title);

class TDebug {
 public:
  TDebug() = default;
  TDebug(const TDebug&) = delete;
  TDebug& operator=(const TDebug&) = delete;

  // Turns the log on in the given style, writing to sink.
  void Start(TDebugStyle style, std::unique_ptr<TDebugSink> sink);
  void WriteHeader(const TDebugHeader& header);
  // Program end: saves the text to the log file (with a final line break) and
  // turns the log off.
  void Finish();

  TDebug& Write(std::string_view text);
  TDebug& WriteLn();
  TDebug& WriteInt(long long value);
  TDebug& WriteDateTime();  // now, as "yyyy/mm/dd hh:nn:ss.zzz"
  TDebug& Indent();
  TDebug& Outdent();
  // Launcher style (they write plain text in the editor's style too).
  TDebug& WriteFloat(double value);
  TDebug& WriteKeyWord(const TLoggable* object);  // "nil" or the object's ToString
  TDebug& WriteFmt(const char* format, ...) QV_PRINTF_FORMAT(2, 3);
  // Every item in order with nothing between them; "NIL" without a list.
  TDebug& WriteStrings(const TStringList* list);
  TDebug& SaveToFile(const std::string& fileName);

  bool Enabled() const { return on_.load(std::memory_order_acquire); }
  // Everything written so far.
  std::string Text() const;

 private:
  void WriteLocked(std::string_view text);
  std::string EditorFormat(std::string_view text);
  std::string TextLocked() const;

  mutable std::mutex mu_;
  std::atomic<bool> on_{false};
  TDebugStyle style_ = TDebugStyle::Editor;
  std::unique_ptr<TDebugSink> sink_;
  // Editor style.
  int level_ = 0;
  int indentWidth_ = 2;
  std::string openLine_;
  std::string text_;
  // Launcher style.
  std::unique_ptr<TStringFormater> formater_;
};

// The process's log object.
TDebug& DebugOut();

// Inside a catch block whose behaviour is to swallow what it caught: writes one
// line naming the place and, for a standard exception, its text, so nothing
// disappears without a trace. Never throws.
void LogSwallowed(std::string_view where) noexcept;

// True when any parameter equals "/Debug" (ignoring case).
bool HasDebugSwitch(const TStringList& params);
// Turns the logs on when the parameters hold "/Debug", in the given style: the
// console is opened and the header written (the launcher's log first deletes an
// old Debug.txt; the editor's line log DebugLine starts before DebugOut). Call
// once at start-up; an empty title stands for the program's name.
void InitDebugLog(TDebugStyle style, const TStringList& params, std::string_view title = {});
// Program end (when on): DebugOut saves, then the editor's DebugLine saves, so
// the file ends holding the line log's text in the editor.
void FinishDebugLog();

// Header facts.
// "a.b.c.d" from the file's fixed version information; empty without one.
std::string GetFileVersionText(const std::string& fileName);
// The file's last-write time as "yyyy.mm.dd hh:nn:ss"; empty when it is not found.
std::string GetFileTimeText(const std::string& fileName);
// The running system, as in "Windows XP (5.1.2600[NT])".
std::string GetOSVersionText();

// The pure halves of the header facts.
enum class TOSPlatform { Win9x, NT, Other };
std::string FormatOSVersionText(TOSPlatform platform, unsigned major, unsigned minor, unsigned build);
std::string FormatFileVersionText(unsigned versionMS, unsigned versionLS);
std::string FormatFileTimeText(const TDateTimeParts& t);

// Platform seam of the log.
namespace debugsys {
void OpenConsole();
void ConsoleWrite(std::string_view text);
// Debug.txt in the program's folder.
std::string LogFileName();
}  // namespace debugsys
