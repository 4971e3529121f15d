// The IUnknown part of the program's own COM objects, written once: a class
// derives from TComObject<IDropSource> (say) and writes only the interface's
// own methods. QueryInterface answers IUnknown and Interface.
//
// Counted (the default): the object starts with one reference, held by its
// maker, and deletes itself when the last Release drops it; its destructor is
// therefore virtual and should not be public. Owned: AddRef and Release do not
// count, for an object whose owner frees it (a drop target the window keeps).
// Win32 only.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace core {

enum class TComLifetime { Counted, Owned };

template <class Interface, TComLifetime Lifetime = TComLifetime::Counted>
class TComObject : public Interface {
 public:
  TComObject() = default;
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(Interface))) {
      *ppv = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    if constexpr (Lifetime == TComLifetime::Owned) return 1;
    else return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  STDMETHODIMP_(ULONG) Release() override {
    if constexpr (Lifetime == TComLifetime::Owned) {
      return 1;
    } else {
      const LONG n = InterlockedDecrement(&refs_);
      if (n == 0) delete this;
      return static_cast<ULONG>(n);
    }
  }

 protected:
  virtual ~TComObject() = default;

 private:
  LONG refs_ = 1;
};

}  // namespace core
