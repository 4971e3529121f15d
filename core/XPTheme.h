// Common controls initialisation at program start (visual styles need it along
// with the manifest resource).
#pragma once

void InitXPTheme();
