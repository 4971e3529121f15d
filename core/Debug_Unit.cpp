#include "core/Debug_Unit.h"

#include <exception>

#include <algorithm>
#include <cstdio>

#include "core/Debug.h"
#include "core/FileIO.h"
#include "core/ProgramPath.h"
#include "core/Sjis.h"
#include "core/StringList.h"

namespace {

constexpr const char* kDashes = "-------------------------------------------";

class TConsoleFileSink : public TDebugSink {
 public:
  explicit TConsoleFileSink(std::string fileName) : file_(std::move(fileName)) { debugsys::OpenConsole(); }
  void Echo(std::string_view text) override { debugsys::ConsoleWrite(text); }
  void SaveFile(std::string_view text) override { fileio::WriteFileReplacing(file_, std::string(text)); }
  void AppendFile(std::string_view text) override { fileio::AppendToFile(file_, std::string(text)); }
  void RemoveFile() override { fileio::DeleteFileAt(file_); }

 private:
  std::string file_;
};

// What saving a list of lines writes: each line followed by CR LF. The logs
// keep their text whole, which is one entry.
std::string AsSavedList(const std::string& text) { return text.empty() ? std::string() : text + "\r\n"; }

}  // namespace

std::unique_ptr<TDebugSink> NewConsoleFileSink(std::string fileName) {
  return std::make_unique<TConsoleFileSink>(std::move(fileName));
}

TDebugHeader CollectDebugHeader(std::string_view title) {
  TDebugHeader h;
  h.start = LocalNow();
  h.programFile = ProgramFileName();
  h.title = title.empty() ? sjis::ChangeFileExt(sjis::ExtractFileName(h.programFile), "") : std::string(title);
  h.version = GetFileVersionText(h.programFile);
  h.timeStamp = GetFileTimeText(h.programFile);
  h.os = GetOSVersionText();
  return h;
}

void TDebug::Start(TDebugStyle style, std::unique_ptr<TDebugSink> sink) {
  std::lock_guard<std::mutex> lock(mu_);
  style_ = style;
  sink_ = std::move(sink);
  level_ = 0;
  indentWidth_ = 2;
  openLine_.clear();
  text_.clear();
  formater_.reset();
  if (style == TDebugStyle::Launcher) {
    formater_ = std::make_unique<TStringFormater>();
    formater_->LineNumbers = true;
    formater_->OnOutput = [this](const std::string& out) {
      if (!sink_) return;
      sink_->Echo(out);
      sink_->AppendFile(out);
    };
  }
  on_.store(true, std::memory_order_release);
}

void TDebug::WriteHeader(const TDebugHeader& h) {
  if (!Enabled()) return;
  std::lock_guard<std::mutex> lock(mu_);
  auto line = [this](const std::string& s) { WriteLocked(s); WriteLocked("\r\n"); };
  auto level = [this](int delta) {
    if (formater_) {
      delta > 0 ? formater_->Indent() : formater_->Unindent();
    } else {
      level_ = std::max(0, level_ + delta);
    }
  };
  line("Starting Debug(@" + FormatLogDateTime(h.start) + ")...");
  level(+1);
  line("Title     : " + h.title);
  line("ExeName   : " + sjis::ExtractFileName(h.programFile));
  line("Dir       : " + sjis::ExtractFilePath(h.programFile));
  line("Version   : " + h.version);
  line("TimeStamp : " + h.timeStamp);
  line("OS        : " + h.os);
  if (style_ == TDebugStyle::Launcher) line("DebugVer. : 1.20.0");
  level(-1);
  line(kDashes);
}

void TDebug::Finish() {
  std::lock_guard<std::mutex> lock(mu_);
  if (!on_.load(std::memory_order_relaxed)) return;
  try {
    if (sink_) sink_->SaveFile(AsSavedList(TextLocked()));
  } catch (...) {
  }
  on_.store(false, std::memory_order_release);
  formater_.reset();
  sink_.reset();
}

std::string TDebug::EditorFormat(std::string_view text) {
  const std::vector<std::string> lines = sjis::SplitLines(text);
  const std::string indent(static_cast<size_t>(level_ > 0 ? level_ * indentWidth_ + 1 : 0), ' ');
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (openLine_.empty()) out += indent;
    out += line;
    if (line.empty() || i + 1 < lines.size()) out += "\r\n";
    openLine_ = line;
  }
  return out;
}

void TDebug::WriteLocked(std::string_view text) {
  try {
    if (formater_) {
      formater_->Write(text);
      return;
    }
    std::string out = EditorFormat(text);
    text_ += out;
    if (sink_) {
      sink_->Echo(out);
      sink_->SaveFile(AsSavedList(text_));
    }
  } catch (...) {
    // Logging never disturbs the program, not even when memory runs out.
  }
}

std::string TDebug::TextLocked() const { return formater_ ? formater_->GetText() : text_; }

std::string TDebug::Text() const {
  std::lock_guard<std::mutex> lock(mu_);
  return TextLocked();
}

TDebug& TDebug::Write(std::string_view text) {
  if (!Enabled()) return *this;
  std::lock_guard<std::mutex> lock(mu_);
  if (on_.load(std::memory_order_relaxed)) WriteLocked(text);
  return *this;
}

TDebug& TDebug::WriteLn() { return Write("\r\n"); }
TDebug& TDebug::WriteInt(long long value) { return Write(std::to_string(value)); }

TDebug& TDebug::WriteDateTime() {
  if (!Enabled()) return *this;
  return Write(FormatLogDateTime(LocalNow()));
}

TDebug& TDebug::Indent() {
  if (!Enabled()) return *this;
  std::lock_guard<std::mutex> lock(mu_);
  if (formater_) formater_->Indent();
  else ++level_;
  return *this;
}

TDebug& TDebug::Outdent() {
  if (!Enabled()) return *this;
  std::lock_guard<std::mutex> lock(mu_);
  if (formater_) formater_->Unindent();
  else if (level_ > 0) --level_;
  return *this;
}

TDebug& TDebug::WriteFloat(double value) {
  if (!Enabled()) return *this;
  return Write(FloatText(value));
}

TDebug& TDebug::WriteKeyWord(const TLoggable* object) {
  if (!Enabled()) return *this;
  return Write(object ? object->ToString() : std::string("nil"));
}

TDebug& TDebug::WriteFmt(const char* format, ...) {
  if (!Enabled()) return *this;
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  return Write(text);
}

TDebug& TDebug::WriteStrings(const TStringList* list) {
  if (!Enabled()) return *this;
  std::lock_guard<std::mutex> lock(mu_);
  if (!on_.load(std::memory_order_relaxed)) return *this;
  if (!list) {
    WriteLocked("NIL");
  } else {
    for (const std::string& s : *list) WriteLocked(s);
  }
  return *this;
}

TDebug& TDebug::SaveToFile(const std::string& fileName) {
  if (!Enabled()) return *this;
  std::string text = Text();
  fileio::WriteFileReplacing(fileName, AsSavedList(text));
  return *this;
}

TDebug& DebugOut() {
  static TDebug log;
  return log;
}

void LogSwallowed(std::string_view where) noexcept {
  try {
    std::string what = "unknown exception";
    try {
      if (std::exception_ptr e = std::current_exception()) std::rethrow_exception(e);
    } catch (const std::exception& e) {
      what = e.what();
    } catch (...) {
    }
    DebugOut().Write(std::string(where) + ":swallowed:" + what).WriteLn();
  } catch (...) {
    // The log itself failed: there is nowhere left to say so.
  }
}

bool HasDebugSwitch(const TStringList& params) {
  for (const std::string& p : params)
    if (sjis::EqualsIgnoreCase(p, "/Debug")) return true;
  return false;
}

void InitDebugLog(TDebugStyle style, const TStringList& params, std::string_view title) {
  if (!HasDebugSwitch(params) || DebugOut().Enabled()) return;
  const TDebugHeader header = CollectDebugHeader(title);
  const std::string file = debugsys::LogFileName();
  if (style == TDebugStyle::Editor) {
    DebugLine().Start(NewConsoleFileSink(file));
    DebugLine().WriteHeader(header);
  }
  auto sink = NewConsoleFileSink(file);
  if (style == TDebugStyle::Launcher) sink->RemoveFile();
  DebugOut().Start(style, std::move(sink));
  DebugOut().WriteHeader(header);
}

void FinishDebugLog() {
  DebugOut().Finish();
  DebugLine().Finish();
}

std::string FormatOSVersionText(TOSPlatform platform, unsigned major, unsigned minor, unsigned build) {
  std::string name;
  const char* tag = "[9x]";
  if (platform == TOSPlatform::Win9x) {
    if (major == 4 && minor == 0) name = "Windows 95";
    else if (major == 4 && minor == 10) name = "Windows 98";
    else if (major == 4 && minor == 90) name = "Windows Me";
    else name = "Windows Me later";
  } else if (platform == TOSPlatform::NT) {
    tag = "[NT]";
    if (major >= 6) name = "Windows Longhorn or Later";
    else if (major == 5) name = minor == 0 ? "Windows 2000" : "Windows XP";
    else name = "Windows NT" + std::to_string(major) + "." + std::to_string(minor);
  } else {
    name = "Unkown OS";
  }
  return name + " (" + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build) + tag + ")";
}

std::string FormatFileVersionText(unsigned ms, unsigned ls) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", ms >> 16, ms & 0xFFFFu, ls >> 16, ls & 0xFFFFu);
  return buf;
}

std::string FormatFileTimeText(const TDateTimeParts& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d.%02d.%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return buf;
}
