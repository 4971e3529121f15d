#include "ui/CopyData.h"

#include <string_view>

#include "core/Data_Blocks.h"

namespace ui {

bool CopyDataText(const COPYDATASTRUCT* data, std::string& text) {
  text.clear();
  if (!data || data->dwData == 0) return false;
  if (!data->lpData || data->cbData == 0) return true;
  text = datablock::TextUpToNul(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
  return true;
}

}  // namespace ui
