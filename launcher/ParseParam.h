// The switch parser: one list of switch lines (from the command line, a second
// start, the editor, any program by WM_COPYDATA, system command 11) is turned
// into calls on the main window through IParamParserHost, and a result goes
// back to the asker. Pure logic: the window side lives behind the host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/StringList.h"

// What the parser needs of the main window. Sender is a window handle value
// (0 for none).
class IParamParserHost {
 public:
  virtual ~IParamParserHost() = default;
  virtual bool IsStarting() const = 0;
  virtual void ReLoad(bool activate) = 0;
  virtual void ShowOrHide(bool show) = 0;
  virtual std::string UserDir() const = 0;
  virtual std::string CurrentDir() const = 0;
  virtual void ResetIcon() = 0;
  virtual void RunCommand(const std::string& name) = 0;
  virtual void RunSysCommand(int index, const std::string& text) = 0;
  virtual void ActivateWindow() = 0;
  virtual void PasteText(const std::string& text, bool recomplete) = 0;
  virtual void SetConfig(const std::string& first, const std::string& second) = 0;
  virtual bool PathExists(const std::string& path) const = 0;
  virtual void DropFiles(const std::string& text) = 0;
  virtual void MoveTo(int x, int y, bool percent) = 0;
  virtual void CaretPoint(int& x, int& y) const = 0;  // remembered for "/CaretPos"
  virtual void SetSelStart(int n) = 0;
  virtual void SetSelLength(int n) = 0;
  virtual void SetMode(const std::string& name) = 0;
  virtual void ParseInput() = 0;
  // Result channels of ReturnResult.
  virtual void SendResult(uintptr_t sender, const std::string& text) = 0;
  virtual void PutOnClipboard(const std::string& text) = 0;
};

class TParamParser {
 public:
  // Raises std::invalid_argument "TParamParser.Create:オーナーが空です" without an owner.
  explicit TParamParser(IParamParserHost* owner);

  // Without lines the window is activated again. Re-entrant: a switch that
  // parses again (system command 11) gets its own key view and line list.
  void Parse(const TStringList* lines, uintptr_t sender);
  void ClearParams() { pendingText_.clear(); }

  // The lines joined by blanks, quoted where they hold a blank or a quote;
  // non-empty from a Parse until the next execution clears it.
  const std::string& PendingText() const { return pendingText_; }
  bool SawHide() const { return sawHide_; }
  bool ParseFlag() const { return parse_; }
  bool ActivateFlag() const { return activate_; }

  // The blank-joined form of PendingText.
  static std::string JoinSwitches(const TStringList& lines);

 private:
  // One call's view of its lines: the key view (name=value lines, values read
  // back exactly as sent) and the line list as received.
  struct TCall {
    TStringList Keys;
    TStringList Lines;
    bool Has(std::string_view name) const;                 // a whole line
    bool HasValue(std::string_view name) const;            // a name=value line
    std::string Value(std::string_view name) const;        // "" when absent
    int Integer(std::string_view name, int def) const;
    void DeleteKey(std::string_view name);
  };

  void ParsePosition(const TCall& call);
  std::string Setparam(TCall& call);
  void ParseOptions(const TCall& call);
  static std::string GetNextParam(const TCall& call, std::string_view name);
  void ReturnResult(const TCall& call, const std::string& result, uintptr_t sender);

  IParamParserHost* owner_;
  std::string pendingText_;
  bool parse_ = false, activate_ = false, sawHide_ = false;
};
