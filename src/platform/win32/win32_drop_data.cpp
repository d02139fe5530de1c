#include "platform/win32/win32_drop_data.h"

#include <shlobj.h>

#include <cstring>
#include <string>

namespace quillet {
namespace {

FORMATETC HGlobalFormat(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The bytes of one format, locked for the lifetime of this object; the storage
// medium is released at the end whatever happened.
class LockedMedium {
 public:
  LockedMedium(IDataObject* object, CLIPFORMAT format) {
    if (object == nullptr) return;
    FORMATETC wanted = HGlobalFormat(format);
    if (FAILED(object->GetData(&wanted, &medium_))) {
      medium_ = STGMEDIUM{};
      return;
    }
    got_ = true;
    if (medium_.tymed != TYMED_HGLOBAL || medium_.hGlobal == nullptr) return;
    size_ = ::GlobalSize(medium_.hGlobal);
    if (size_ == 0) return;  // an empty block is valid: nothing in it
    data_ = static_cast<const unsigned char*>(::GlobalLock(medium_.hGlobal));
    if (data_ == nullptr) size_ = 0;
  }
  ~LockedMedium() {
    if (data_ != nullptr) ::GlobalUnlock(medium_.hGlobal);
    if (got_) ::ReleaseStgMedium(&medium_);
  }
  LockedMedium(const LockedMedium&) = delete;
  LockedMedium& operator=(const LockedMedium&) = delete;

  // An HGLOBAL block was delivered (possibly empty).
  bool ok() const {
    return got_ && medium_.tymed == TYMED_HGLOBAL && medium_.hGlobal != nullptr && (size_ == 0 || data_);
  }
  const unsigned char* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  STGMEDIUM medium_{};
  bool got_ = false;
  const unsigned char* data_ = nullptr;
  std::size_t size_ = 0;
};

// UTF-16 units from `bytes` up to the first NUL or the end of the block; an
// odd last byte is no character. memcpy because the block need not be aligned.
std::wstring WideUntilNul(const unsigned char* bytes, std::size_t size) {
  std::wstring text;
  for (std::size_t at = 0; at + sizeof(wchar_t) <= size; at += sizeof(wchar_t)) {
    wchar_t c;
    std::memcpy(&c, bytes + at, sizeof c);
    if (c == L'\0') break;
    text.push_back(c);
  }
  return text;
}

std::wstring FromAnsi(const char* bytes, std::size_t size) {
  std::wstring text;
  // Converted in pieces so that a length always fits an int; a piece ends
  // between two characters, found by walking it from its start.
  constexpr std::size_t kPiece = std::size_t{1} << 24;
  std::size_t at = 0;
  while (at < size) {
    std::size_t n = size - at;
    if (n > kPiece) {
      std::size_t cut = 0;
      while (cut < kPiece) cut += ::IsDBCSLeadByte(static_cast<BYTE>(bytes[at + cut])) ? 2 : 1;
      n = cut < n ? cut : n;
    }
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes + at, static_cast<int>(n), nullptr, 0);
    if (length > 0) {
      const std::size_t old = text.size();
      text.resize(old + static_cast<std::size_t>(length));
      ::MultiByteToWideChar(CP_ACP, 0, bytes + at, static_cast<int>(n), text.data() + old, length);
    }
    at += n;
  }
  return text;
}

std::wstring AnsiUntilNul(const unsigned char* bytes, std::size_t size) {
  const void* nul = size > 0 ? std::memchr(bytes, 0, size) : nullptr;
  const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - bytes) : size;
  return FromAnsi(reinterpret_cast<const char*>(bytes), length);
}

// The names of a DROPFILES block: each ends with a NUL and the list with an
// empty name. A name the block ends inside is cut off, so it is left out.
std::vector<std::wstring> ParseDropFiles(const unsigned char* bytes, std::size_t size) {
  std::vector<std::wstring> files;
  if (bytes == nullptr || size < sizeof(DROPFILES)) return files;
  DROPFILES header;
  std::memcpy(&header, bytes, sizeof header);
  const std::size_t offset = header.pFiles;
  if (offset < sizeof(DROPFILES) || offset >= size) return files;
  if (header.fWide) {
    std::wstring name;
    for (std::size_t at = offset; at + sizeof(wchar_t) <= size; at += sizeof(wchar_t)) {
      wchar_t c;
      std::memcpy(&c, bytes + at, sizeof c);
      if (c != L'\0') {
        name.push_back(c);
        continue;
      }
      if (name.empty()) break;
      files.push_back(std::move(name));
      name.clear();
    }
  } else {
    std::size_t start = offset;
    for (std::size_t at = offset; at < size; ++at) {
      if (bytes[at] != 0) continue;
      if (at == start) break;
      files.push_back(FromAnsi(reinterpret_cast<const char*>(bytes + start), at - start));
      start = at + 1;
    }
  }
  return files;
}

}  // namespace

std::optional<std::wstring> Win32DropData::Text() const {
  {
    LockedMedium unicode(object_, CF_UNICODETEXT);
    if (unicode.ok()) return WideUntilNul(unicode.data(), unicode.size());
  }
  LockedMedium ansi(object_, CF_TEXT);
  if (ansi.ok()) return AnsiUntilNul(ansi.data(), ansi.size());
  return std::nullopt;
}

std::vector<std::wstring> Win32DropData::Files() const {
  LockedMedium drop(object_, CF_HDROP);
  if (!drop.ok()) return {};
  return ParseDropFiles(drop.data(), drop.size());
}

bool OffersDropData(IDataObject* object) {
  if (object == nullptr) return false;
  for (const CLIPFORMAT format : {CLIPFORMAT(CF_UNICODETEXT), CLIPFORMAT(CF_TEXT), CLIPFORMAT(CF_HDROP)}) {
    FORMATETC wanted = HGlobalFormat(format);
    if (object->QueryGetData(&wanted) == S_OK) return true;
  }
  return false;
}

}  // namespace quillet
