// Placeholder until the log is written: always off.
#include "core/Debug_Unit.h"

TDebug& TDebug::Write(std::string_view) { return *this; }
TDebug& TDebug::WriteLn() { return *this; }
TDebug& TDebug::WriteInt(long long) { return *this; }
TDebug& TDebug::WriteDateTime() { return *this; }
TDebug& TDebug::Indent() { return *this; }
TDebug& TDebug::Outdent() { return *this; }
TDebug& TDebug::WriteFloat(double) { return *this; }
TDebug& TDebug::WriteFmt(const char*, ...) { return *this; }
TDebug& TDebug::WriteStrings(const TStringList*) { return *this; }
TDebug& TDebug::SaveToFile(const std::string&) { return *this; }
bool TDebug::Enabled() const { return false; }

TDebug& DebugOut() {
  static TDebug log;
  return log;
}

void InitDebugLog(TDebugStyle, const TStringList&) {}
void FinishDebugLog() {}
