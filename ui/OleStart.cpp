#include "ui/OleStart.h"

#include <optional>

#include "core/Handles.h"

namespace ui {

namespace {
int g_users = 0;
std::optional<core::TOleSession> g_ole;
}  // namespace

void InitOle() {
  if (g_users++ == 0) g_ole.emplace();
}

void FinalizeOle() {
  if (g_users > 0 && --g_users == 0) g_ole.reset();
}

int OleUsers() { return g_users; }

}  // namespace ui
