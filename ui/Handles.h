// The handle owners live in core/Handles.h (core uses them too). This header
// keeps the GUI layer's old spelling, ui::TUniqueFont and the like, for code
// written before the move; new code includes core/Handles.h.
#pragma once

#include "core/Handles.h"

namespace ui {
using core::TSelectObject;
using core::TUniqueBitmap;
using core::TUniqueBrush;
using core::TUniqueFile;
using core::TUniqueFont;
using core::TUniqueHandle;
using core::TUniqueHkey;
using core::TUniqueHwnd;
using core::TUniqueIcon;
using core::TUniqueKernelHandle;
using core::TUniqueMenu;
}  // namespace ui
