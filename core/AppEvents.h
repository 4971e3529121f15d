// Process-wide application notifications that core units need without depending
// on the GUI layer: "the application was deactivated" (another program took the
// foreground), which the GUI layer raises and the caches listen to, and the
// program's application window, which the GUI layer registers.
#pragma once

#include <functional>

namespace app {

using TSubscription = int;

// Calls handler on every RaiseDeactivated until unsubscribed. Main thread only.
TSubscription SubscribeDeactivated(std::function<void()> handler);
// Unknown or already removed subscriptions are ignored.
void UnsubscribeDeactivated(TSubscription subscription);
// Calls every subscribed handler, oldest first. A handler may subscribe or
// unsubscribe (itself or others) while it runs; one removed during the round is
// not called any more.
void RaiseDeactivated();

// The program's hidden application window (a window handle, or null while the
// GUI layer has none).
void SetApplicationWindow(void* window);
void* ApplicationWindow();

}  // namespace app
