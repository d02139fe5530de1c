#include "platform/win32/drop_target.h"

#include <utility>

#include "platform/win32/boundary.h"
#include "platform/win32/com.h"
#include "platform/win32/win32_drop_data.h"

namespace quillet {
namespace {

static_assert(kDropCopy == DROPEFFECT_COPY && kDropMove == DROPEFFECT_MOVE && kDropLink == DROPEFFECT_LINK);

// The reference-counted target itself: it lives as long as OLE holds it,
// which may be a little longer than the registration.
class DropTarget final : public ComObject<IDropTarget> {
 public:
  explicit DropTarget(DropTargetRegistration::Callback on_drop) : on_drop_(std::move(on_drop)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return Query(iid, IID_IDropTarget, out); }

  // A failure refuses the drop.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* object, DWORD, POINTL, DWORD* effect) override {
    return Guarded([&] { return Refuse(effect); },
                   [&] {
                     accepted_ = OffersDropData(object);
                     return Answer(effect);
                   });
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    return Guarded([&] { return Refuse(effect); }, [&] { return Answer(effect); });
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    accepted_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* object, DWORD, POINTL, DWORD* effect) override {
    // The handler may open windows or show a message box; keep this alive.
    const ComPtr<IDropTarget> alive = ComPtr<IDropTarget>::Share(this);
    const HRESULT result = Guarded([&] { return Refuse(effect); },
                                   [&] {
                                     accepted_ = OffersDropData(object);
                                     const HRESULT answer = Answer(effect);
                                     if (accepted_ && on_drop_) on_drop_(Win32DropData(object));
                                     return answer;
                                   });
    accepted_ = false;
    return result;
  }

 private:
  // What a method that failed answers.
  HRESULT Refuse(DWORD* effect) {
    accepted_ = false;
    return Answer(effect);
  }

  HRESULT Answer(DWORD* effect) const {
    if (effect == nullptr) return E_INVALIDARG;
    *effect = accepted_ ? ChooseDropEffect(*effect) : DROPEFFECT_NONE;
    return S_OK;
  }

  bool accepted_ = false;
  DropTargetRegistration::Callback on_drop_;
};

}  // namespace

HRESULT DropTargetRegistration::Register(HWND window, Callback on_drop) {
  Revoke();
  // OLE holds its own reference while the target is registered.
  const ComPtr<IDropTarget> target(new DropTarget(std::move(on_drop)));
  const HRESULT result = ::RegisterDragDrop(window, target.get());
  if (SUCCEEDED(result)) window_ = window;
  return result;
}

void DropTargetRegistration::Revoke() {
  if (window_ == nullptr) return;
  ::RevokeDragDrop(window_);
  window_ = nullptr;
}

}  // namespace quillet
