// The text of a WM_COPYDATA block. What arrives is another program's and
// untrusted: the text is bounded by cbData whether or not a NUL comes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

// The block's bytes up to the first NUL, at most cbData of them; false (and no
// text) when there is no block or its data word is 0.
bool CopyDataText(const COPYDATASTRUCT* data, std::string& text);

// Whether the block ends in a NUL counted in cbData.
enum class TCopyDataEnd { Nul, NoNul };

// Sends bytes to target as a WM_COPYDATA block with the data word given
// (wParam: from). The block is always a real record, also for no bytes:
// across processes the system copies the record, and a null one reaches the
// receiver as nothing at all. What the receiver's procedure returned.
LRESULT SendCopyData(HWND target, HWND from, ULONG_PTR dataWord, std::string_view bytes,
                     TCopyDataEnd end = TCopyDataEnd::Nul);

}  // namespace ui
