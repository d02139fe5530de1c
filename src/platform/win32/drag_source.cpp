#include "platform/win32/drag_source.h"

#include <shlobj.h>

#include <cstring>
#include <utility>

#include "platform/win32/boundary.h"
#include "platform/win32/system_library.h"

namespace quillet {
namespace {

class MemoryDataObject final : public ComObject<IDataObject> {
 public:
  explicit MemoryDataObject(std::vector<ClipboardBlock> blocks) : blocks_(std::move(blocks)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return Query(iid, IID_IDataObject, out); }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (format == nullptr || medium == nullptr) return E_INVALIDARG;
    const ClipboardBlock* block = nullptr;
    const HRESULT found = Find(*format, &block);
    if (found != S_OK) return found;
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, block->bytes.size());
    if (memory == nullptr) return E_OUTOFMEMORY;
    if (!block->bytes.empty()) {
      void* to = ::GlobalLock(memory);
      if (to == nullptr) {
        ::GlobalFree(memory);
        return E_OUTOFMEMORY;
      }
      std::memcpy(to, block->bytes.data(), block->bytes.size());
      ::GlobalUnlock(memory);
    }
    *medium = STGMEDIUM{};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (format == nullptr) return E_INVALIDARG;
    const ClipboardBlock* block = nullptr;
    return Find(*format, &block);
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out != nullptr) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return Guarded(E_OUTOFMEMORY, [&] {
      std::vector<FORMATETC> formats;
      for (const ClipboardBlock& block : blocks_) {
        formats.push_back({block.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
      }
      static const auto create_enum =
          SystemFunction<decltype(&::SHCreateStdEnumFmtEtc)>(L"shell32.dll", "SHCreateStdEnumFmtEtc");
      if (create_enum == nullptr) return E_NOTIMPL;
      return create_enum(static_cast<UINT>(formats.size()), formats.data(), out);
    });
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HRESULT Find(const FORMATETC& format, const ClipboardBlock** block) const {
    if (format.dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if ((format.tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
    for (const ClipboardBlock& candidate : blocks_) {
      if (candidate.format == format.cfFormat) {
        *block = &candidate;
        return S_OK;
      }
    }
    return DV_E_FORMATETC;
  }

  std::vector<ClipboardBlock> blocks_;
};

class DropSource final : public ComObject<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return Query(iid, IID_IDropSource, out); }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape || (keys & (MK_RBUTTON | MK_MBUTTON))) return DRAGDROP_S_CANCEL;
    if ((keys & MK_LBUTTON) == 0) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

std::string BytesOf(const void* data, std::size_t size) { return std::string(static_cast<const char*>(data), size); }

}  // namespace

std::vector<ClipboardBlock> TextBlocks(const std::wstring& text) {
  std::vector<ClipboardBlock> blocks;
  blocks.push_back({CF_UNICODETEXT, BytesOf(text.c_str(), (text.size() + 1) * sizeof(wchar_t))});
  std::string ansi;
  if (!text.empty()) {
    const int n =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n > 0) {
      ansi.resize(static_cast<std::size_t>(n));
      ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n, nullptr, nullptr);
    }
  }
  ansi.push_back('\0');
  blocks.push_back({CF_TEXT, std::move(ansi)});
  return blocks;
}

ComPtr<IDataObject> NewMemoryDataObject(std::vector<ClipboardBlock> blocks) {
  return ComPtr<IDataObject>(new MemoryDataObject(std::move(blocks)));
}

HRESULT DragBlocks(std::vector<ClipboardBlock> blocks, DWORD* effect) {
  const ComPtr<IDataObject> data = NewMemoryDataObject(std::move(blocks));
  const ComPtr<IDropSource> source(new DropSource);
  DWORD performed = DROPEFFECT_NONE;
  const HRESULT result = ::DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY, &performed);
  if (effect != nullptr) *effect = performed;
  return result;
}

}  // namespace quillet
