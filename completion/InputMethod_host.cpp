// The host build has no input method: every operation gives nothing.
#include "completion/InputMethod.h"

namespace {

class TNoInputMethod : public IInputMethod {
 public:
  bool QueryConversionMode(unsigned& mode) override { mode = 0; return false; }
  std::string ImeFileName() override { return {}; }
  TImeReading Convert(std::string_view) override { return {}; }
  std::vector<std::string> ClauseCandidates(std::string_view) override { return {}; }
  void EndConversion() override {}
};

}  // namespace

std::unique_ptr<IInputMethod> CreateSystemInputMethod() { return std::make_unique<TNoInputMethod>(); }
