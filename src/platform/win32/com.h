#pragma once

#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace quillet {

// The reference counting of every COM object the program implements: the
// count starts at 1 (the creator's reference) and the object deletes itself
// when the last reference goes. `Interface` is the one interface it offers
// besides IUnknown; its QueryInterface calls Query with that interface's id.
template <class Interface>
class ComObject : public Interface {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~ComObject() = default;
  HRESULT Query(REFIID iid, REFIID own, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == own) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }

 private:
  LONG references_ = 1;
};

// Holds one reference to a COM object and releases it once.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller owns (a fresh object, an out-parameter's).
  explicit ComPtr(T* adopted) : p_(adopted) {}
  // A reference of its own to an object someone else holds.
  static ComPtr Share(T* borrowed) {
    if (borrowed != nullptr) borrowed->AddRef();
    return ComPtr(borrowed);
  }
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  // For functions that return a new reference through an out-parameter.
  void** put() {
    reset();
    return reinterpret_cast<void**>(&p_);
  }

 private:
  T* p_ = nullptr;
};

}  // namespace quillet
