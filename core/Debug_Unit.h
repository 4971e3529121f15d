// The diagnostic log: silent unless the program was started with "/Debug".
// When on, every text is echoed to a console and kept in Debug.txt in the
// program's folder. Two line styles exist: the editor's (indented) and the
// launcher's (numbered lines through TStringFormater); each program chooses its
// style once at start-up with InitDebugLog. Every operation returns the log, so
// calls chain: DebugOut().Write("TFoo.Bar").WriteLn().Indent();
// Safe to call from worker threads; costs next to nothing when off.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

class TStringList;

enum class TDebugStyle { Editor, Launcher };

class TDebug {
 public:
  TDebug& Write(std::string_view text);
  TDebug& WriteLn();
  TDebug& WriteInt(long long value);
  TDebug& WriteDateTime();  // now, as "yyyy/mm/dd hh:nn:ss.zzz"
  TDebug& Indent();
  TDebug& Outdent();
  // Launcher style.
  TDebug& WriteFloat(double value);
  TDebug& WriteFmt(const char* format, ...) __attribute__((format(printf, 2, 3)));
  TDebug& WriteStrings(const TStringList* list);
  TDebug& SaveToFile(const std::string& fileName);

  bool Enabled() const;
};

// The process's log object.
TDebug& DebugOut();

// Turns the log on when any parameter equals "/Debug" (ignoring case), in the
// given style, opening the console and writing the header. Call once at start-up.
void InitDebugLog(TDebugStyle style, const TStringList& params);
// Saves the log at program end (when on).
void FinishDebugLog();
