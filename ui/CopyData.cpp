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

LRESULT SendCopyData(HWND target, HWND from, ULONG_PTR dataWord, std::string_view bytes, TCopyDataEnd end) {
  if (!target) return 0;
  std::string block(bytes);
  if (end == TCopyDataEnd::Nul) block.push_back('\0');
  COPYDATASTRUCT data = {};
  data.dwData = dataWord;
  data.cbData = static_cast<DWORD>(block.size());
  data.lpData = block.empty() ? nullptr : block.data();
  return SendMessageA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data));
}

}  // namespace ui
