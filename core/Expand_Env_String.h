// %NAME% expansion in commands, folders, icons and parameters. The expander knows
// no names itself: it asks its chain of resolvers. "%%" is a literal percent sign
// and a name no resolver knows stays as it was written.
#pragma once

#include <string>
#include <string_view>

#include "core/Env_Handler_List.h"

class TExpandEnvString {
 public:
  void AddHandler(TEnvResolver resolver) { handlers_.AddHandler(std::move(resolver)); }
  std::string Expand(std::string_view text) const;
  const TEnvHandlerList& Handlers() const { return handlers_; }

 private:
  std::string ResolveName(const std::string& name) const;

  char openChar_ = '%';
  char closeChar_ = '%';
  TEnvHandlerList handlers_;
};

// The process's expander, with the built-in resolvers (special folders, then
// environment, system folders and clipboard) registered before first use.
TExpandEnvString& GetExpandEnvString();
