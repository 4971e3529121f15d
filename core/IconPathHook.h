// The icon factory's path event as the keyword store sees it: the launcher's
// icon factory implements this, and the store sets its handler (so that icon
// paths may begin with "%Icondir") and clears it again. Implementations take the
// factory's own lock inside SetOnGetPath, the only lock the store ever causes.
#pragma once

#include <functional>
#include <string>

using TIconPathHandler = std::function<void(std::string& path)>;

class IIconPathHook {
 public:
  virtual ~IIconPathHook() = default;
  // Installs the handler; an empty handler removes it.
  virtual void SetOnGetPath(TIconPathHandler handler) = 0;
};
