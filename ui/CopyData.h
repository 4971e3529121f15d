// The text of a WM_COPYDATA block. What arrives is another program's and
// untrusted: the text is bounded by cbData whether or not a NUL comes.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The block's bytes up to the first NUL, at most cbData of them; false (and no
// text) when there is no block or its data word is 0.
bool CopyDataText(const COPYDATASTRUCT* data, std::string& text);

}  // namespace ui
