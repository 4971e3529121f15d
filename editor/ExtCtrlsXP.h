// A radio group that draws itself with the platform's visual styles: it
// behaves exactly as the themed group box (StdCtrlsXP.h) and falls back to the
// layer's radio group without visual styles.
#pragma once

#include "editor/StdCtrlsXP.h"
#include "ui/RadioGroup.h"

class TXPRadioGroup : public TXPGroupControl<ui::TRadioGroup> {};
