// Process-wide application state that core units read without depending on the
// GUI layer: the terminate flag (set when the application is shutting down).
#pragma once

namespace app {

bool Terminated();
void SetTerminated(bool value);

}  // namespace app
