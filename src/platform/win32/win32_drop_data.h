#pragma once

#include <windows.h>

#include <objidl.h>

#include "platform/drop_data.h"

namespace quillet {

// What an OLE data object offers, read through TYMED_HGLOBAL: text from
// CF_UNICODETEXT (else CF_TEXT in the ANSI code page) and a file list from
// CF_HDROP. Every block is read no further than its GlobalSize, whatever its
// contents claim. The object is borrowed: it must outlive this view of it
// (a drop target's Drop call, say).
class Win32DropData final : public DropData {
 public:
  explicit Win32DropData(IDataObject* object) : object_(object) {}

  std::optional<std::wstring> Text() const override;
  std::vector<std::wstring> Files() const override;

 private:
  IDataObject* object_;
};

// True when `object` offers something Win32DropData can read.
bool OffersDropData(IDataObject* object);

}  // namespace quillet
