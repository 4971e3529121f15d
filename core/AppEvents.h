// Process-wide application notifications that core units need without depending
// on the GUI layer: "the application was deactivated" (another program took the
// foreground), which the GUI layer raises and the caches listen to, the
// program's application window, and the application's message loop, both of
// which the GUI layer registers.
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

// Handles the messages waiting, through the application's loop (its message
// filters, shortcuts and dialog keys), for code that waits with the interface
// alive. False, having done nothing, while no loop is registered.
void SetMessagePump(std::function<void()> pump);
bool ProcessMessages();

}  // namespace app
