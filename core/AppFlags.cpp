#include "core/AppFlags.h"

#include <atomic>

namespace app {

namespace {
std::atomic<bool> g_terminated{false};
}

bool Terminated() { return g_terminated.load(std::memory_order_relaxed); }
void SetTerminated(bool value) { g_terminated.store(value, std::memory_order_relaxed); }

}  // namespace app
