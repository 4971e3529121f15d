// A scripted input method for tests and the benchmark: readings and clause
// candidates come from tables, and every call is recorded.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "completion/InputMethod.h"

class TFakeInputMethod : public IInputMethod {
 public:
  // What the script answers.
  bool QueryOk = true;
  unsigned ConversionMode = 0x19;  // roman mode on
  std::string FileName;
  std::map<std::string, TImeReading> Readings;                // by the text handed to Convert
  std::map<std::string, std::vector<std::string>> Candidates;  // by reading clause

  // What was asked, in order: "Convert:" text, "Candidates:" clause, "End".
  std::vector<std::string> Calls;
  int ConvertCount = 0;

  // A reading made of the given clauses, with their offsets.
  static TImeReading ReadingOf(const std::vector<std::string>& clauses);

  bool QueryConversionMode(unsigned& mode) override;
  std::string ImeFileName() override { return FileName; }
  TImeReading Convert(std::string_view text) override;
  std::vector<std::string> ClauseCandidates(std::string_view clause) override;
  void EndConversion() override { Calls.push_back("End"); }
  // The open state of every window, as one switch.
  bool Open = false;
  bool IsOpen(std::uintptr_t) override { return Open; }
  void SetOpen(std::uintptr_t, bool open) override { Open = open; }
};
