#include "launcher/SubClass.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <unordered_map>

#include "core/Debug_Unit.h"

void TIntegerList::Add(intptr_t value) {
  if (!AllowDuplicates && IndexOf(value) >= 0) return;
  items_.push_back(value);
  if (OnChange) OnChange();
}

void TIntegerList::Put(int index, intptr_t value) {
  if (!AllowDuplicates && IndexOf(value) >= 0) return;
  items_.at(static_cast<size_t>(index)) = value;
  // After the put, so that a re-registration sees the new id.
  if (OnChange) OnChange();
}

int TIntegerList::IndexOf(intptr_t value) const {
  auto it = std::find(items_.begin(), items_.end(), value);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

namespace {

struct Registration {
  UINT msg;
  TCustomSubClass* filter;
};
using Registrations = std::vector<Registration>;

LRESULT CALLBACK SharedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

class TMessageDispatcher {
 public:
  void Hook(TCustomSubClass* filter) {
    if (IsActive(filter)) return;
    active_.push_back(filter);
    auto it = windows_.find(filter->Window());
    if (it == windows_.end()) {
      WNDPROC previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(filter->Window(), GWLP_WNDPROC));
      windows_[filter->Window()] = {1, previous};
      SetWindowLongPtrA(filter->Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SharedWindowProc));
    } else {
      ++it->second.useCount;
    }
  }

  void Register(UINT msg, TCustomSubClass* filter) {
    registrations_.push_back({msg, filter});
    snapshot_.reset();
  }

  void Unhook(TCustomSubClass* filter) {
    auto it = windows_.find(filter->Window());
    if (it != windows_.end() && IsActive(filter) && --it->second.useCount == 0) {
      if (IsWindow(filter->Window()))
        SetWindowLongPtrA(filter->Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
      windows_.erase(it);
    }
    active_.erase(std::remove(active_.begin(), active_.end(), filter), active_.end());
    registrations_.erase(std::remove_if(registrations_.begin(), registrations_.end(),
                                        [&](const Registration& r) { return r.filter == filter; }),
                         registrations_.end());
    snapshot_.reset();
  }

  bool IsActive(const TCustomSubClass* filter) const {
    return std::find(active_.begin(), active_.end(), filter) != active_.end();
  }

  bool Knows(HWND window) const { return windows_.count(window) != 0; }
  WNDPROC Previous(HWND window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : it->second.previous;
  }
  int UseCount(HWND window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? 0 : it->second.useCount;
  }

  // The window is going away: its own procedure goes back before any filter runs.
  void RestoreProcedure(HWND window) {
    auto it = windows_.find(window);
    if (it != windows_.end())
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
  }

  void Dispatch(bool before, TMessage& message) {
    if (message.Msg == WM_DESTROY && !before) {
      FreeFiltersOf(message.Window);
      return;
    }
    bool any = std::any_of(registrations_.begin(), registrations_.end(),
                           [&](const Registration& r) { return r.msg == message.Msg; });
    if (!any) return;
    if (!snapshot_) snapshot_ = std::make_shared<const Registrations>(registrations_);
    // Hold this snapshot for the whole walk: filters may register, unhook or be
    // freed meanwhile, and nested messages may take a newer snapshot.
    std::shared_ptr<const Registrations> walk = snapshot_;
    for (const Registration& r : *walk) {
      if (r.msg != message.Msg || r.filter->Window() != message.Window) continue;
      if (!IsActive(r.filter)) continue;  // freed or unhooked during this walk
      if (before) r.filter->BeforeMessage(message);
      else r.filter->AfterMessage(message);
      if (message.Handled) break;
    }
  }

 private:
  struct Hooked {
    int useCount;
    WNDPROC previous;
  };

  void FreeFiltersOf(HWND window) {
    for (size_t i = active_.size(); i-- > 0;) {
      if (i >= active_.size()) continue;
      TCustomSubClass* f = active_[i];
      if (f->Window() == window) delete f;  // its destructor unhooks it
    }
    windows_.erase(window);
  }

  std::vector<TCustomSubClass*> active_;
  std::unordered_map<HWND, Hooked> windows_;
  Registrations registrations_;
  std::shared_ptr<const Registrations> snapshot_;
};

// Created with the first filter; lives until the process ends, since windows may
// still call the shared procedure during shutdown.
TMessageDispatcher& Dispatcher() {
  static TMessageDispatcher* dispatcher = new TMessageDispatcher;
  return *dispatcher;
}

LRESULT CALLBACK SharedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessageDispatcher& d = Dispatcher();
  if (!d.Knows(window)) return DefWindowProcA(window, msg, wParam, lParam);
  try {
    TMessage m{msg, wParam, lParam, 0, window, false};
    WNDPROC previous = d.Previous(window);
    if (msg == WM_DESTROY) d.RestoreProcedure(window);
    d.Dispatch(true, m);
    if (!m.Handled) m.Result = CallWindowProcA(previous, window, msg, wParam, lParam);
    d.Dispatch(false, m);
    return m.Result;
  } catch (const std::exception& e) {
    DebugOut().Write(std::string("SubClassError:") + e.what()).WriteLn();
  } catch (...) {
    DebugOut().Write("SubClassError:").WriteLn();
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace

TCustomSubClass::TCustomSubClass(HWND window) : window_(window) {
  Dispatcher();
  Messages.AllowDuplicates = false;
  Messages.OnChange = [this] {
    if (active_) {
      SetActive(false);
      SetActive(true);
    }
  };
}

TCustomSubClass::~TCustomSubClass() {
  SetActive(false);
  Messages.OnChange = nullptr;
  if (OnDestroy) {
    auto handler = std::move(OnDestroy);
    handler(this);
  }
}

void TCustomSubClass::BeforeMessage(TMessage& message) {
  if (OnBeforeMessage) OnBeforeMessage(this, message);
}

void TCustomSubClass::AfterMessage(TMessage& message) {
  if (OnAfterMessage) OnAfterMessage(this, message);
}

void TCustomSubClass::SetActive(bool value) {
  TMessageDispatcher& d = Dispatcher();
  if (value) {
    if (!d.IsActive(this)) {
      d.Hook(this);
      for (int i = 0; i < Messages.Count(); ++i) d.Register(static_cast<UINT>(Messages.Get(i)), this);
    }
  } else {
    d.Unhook(this);
  }
  active_ = value;
}

int SubClassUseCount(HWND window) { return Dispatcher().UseCount(window); }
