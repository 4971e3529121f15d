#include "completion/InputMethodFake.h"

TImeReading TFakeInputMethod::ReadingOf(const std::vector<std::string>& clauses) {
  TImeReading r;
  r.ClauseOffsets.push_back(0);
  for (const auto& c : clauses) {
    r.Reading += c;
    r.ClauseOffsets.push_back(static_cast<uint32_t>(r.Reading.size()));
  }
  return r;
}

bool TFakeInputMethod::QueryConversionMode(unsigned& mode) {
  mode = ConversionMode;
  return QueryOk;
}

TImeReading TFakeInputMethod::Convert(std::string_view text) {
  ++ConvertCount;
  Calls.push_back("Convert:" + std::string(text));
  auto it = Readings.find(std::string(text));
  return it == Readings.end() ? TImeReading{} : it->second;
}

std::vector<std::string> TFakeInputMethod::ClauseCandidates(std::string_view clause) {
  Calls.push_back("Candidates:" + std::string(clause));
  auto it = Candidates.find(std::string(clause));
  return it == Candidates.end() ? std::vector<std::string>{} : it->second;
}
