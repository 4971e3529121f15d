// The ordered chain of %NAME% resolvers that the text expander asks in turn.
#pragma once

#include <functional>
#include <string>
#include <vector>

// A resolver gets the name (without percent signs) in text; one that knows it
// replaces text by the value and sets handled. One that doesn't leaves both alone.
using TEnvResolver = std::function<void(std::string& text, bool& handled)>;

class TEnvHandlerList {
 public:
  void AddHandler(TEnvResolver resolver) { handlers_.push_back(std::move(resolver)); }
  // Asks each resolver in the order added; the first that handles the name wins.
  bool Resolve(std::string& name) const;
  size_t Count() const { return handlers_.size(); }

 private:
  std::vector<TEnvResolver> handlers_;
};
