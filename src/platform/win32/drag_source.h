#pragma once

#include <windows.h>

#include <objidl.h>

#include <string>
#include <vector>

#include "platform/win32/com.h"

namespace quillet {

// The bytes one clipboard format carries in a drag.
struct ClipboardBlock {
  CLIPFORMAT format;
  std::string bytes;
};

// A dragged text: CF_UNICODETEXT, and CF_TEXT in the ANSI code page (a
// character the code page lacks becomes its default character), each ended by a NUL.
std::vector<ClipboardBlock> TextBlocks(const std::wstring& text);

// A data object offering each block through TYMED_HGLOBAL (a fresh copy for
// every GetData).
ComPtr<IDataObject> NewMemoryDataObject(std::vector<ClipboardBlock> blocks);

// Drags `blocks` with copying as the only effect, until the drop or the
// cancellation (Escape, or another button); the left button carries the drag
// and its release drops. Returns DoDragDrop's result; `effect` gets the effect
// the target performed.
HRESULT DragBlocks(std::vector<ClipboardBlock> blocks, DWORD* effect);

}  // namespace quillet
