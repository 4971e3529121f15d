#include "core/Env_Handler_List.h"

bool TEnvHandlerList::Resolve(std::string& name) const {
  for (const auto& h : handlers_) {
    bool handled = false;
    std::string text = name;
    h(text, handled);
    if (handled) {
      name = std::move(text);
      return true;
    }
  }
  return false;
}
