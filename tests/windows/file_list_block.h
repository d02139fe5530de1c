#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/win32/drag_source.h"

namespace quillet {

// A dragged file list as the file browser offers one: CF_HDROP holding
// DROPFILES with wide names, each ended by a NUL and the list by one more.
inline ClipboardBlock FileListBlock(const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names.resize(names.size() + (paths.empty() ? 2 : 1), L'\0');
  const DROPFILES header{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
  return {CF_HDROP, std::string(reinterpret_cast<const char*>(&header), sizeof header) +
                        std::string(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t))};
}

}  // namespace quillet
