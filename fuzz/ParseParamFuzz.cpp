// Reads arbitrary bytes as a switch list from another program. Nothing may read
// out of bounds (the sanitizers watch), and system command 11, which parses its
// text again, must leave the outer call's lines intact. No result is ever made,
// so nothing is written anywhere.
#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/ParseParam.h"

namespace {

class TQuietHost : public IParamParserHost {
 public:
  TParamParser* Parser = nullptr;
  int Depth = 0;
  bool IsStarting() const override { return false; }
  void ReLoad(bool) override {}
  void ShowOrHide(bool) override {}
  std::string UserDir() const override { return std::string(); }
  std::string CurrentDir() const override { return std::string(); }
  void ResetIcon() override {}
  void RunCommand(const std::string&) override {}
  void RunSysCommand(int index, const std::string& text) override {
    if (index != 11 || !Parser || Depth > 8) return;
    ++Depth;
    TStringList again;
    again.SetText(text);
    Parser->Parse(&again, 0);
    --Depth;
  }
  void ActivateWindow() override {}
  void PasteText(const std::string&, bool) override {}
  void SetConfig(const std::string&, const std::string&) override {}
  bool PathExists(const std::string&) const override { return false; }
  void DropFiles(const std::string&) override {}
  void MoveTo(int, int, bool) override {}
  void CaretPoint(int& x, int& y) const override { x = y = -1; }
  void SetSelStart(int) override {}
  void SetSelLength(int) override {}
  void SetMode(const std::string&) override {}
  void ParseInput() override {}
  void SendResult(uintptr_t, const std::string&) override {}
  void PutOnClipboard(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TQuietHost host;
  TParamParser parser(&host);
  host.Parser = &parser;
  TStringList lines;
  lines.SetText(text);
  const TStringList before = lines;
  parser.Parse(&lines, 0);
  if (lines.GetText() != before.GetText()) __builtin_trap();
  return 0;
}
