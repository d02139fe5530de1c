#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/win32/drag_source.h"

namespace quillet {

// A dragged file list as the file browser offers one: CF_HDROP holding
// DROPFILES with wide names.
inline ClipboardBlock FileListBlock(const std::vector<std::wstring>& paths) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::wstring names;
  for (const std::wstring& path : paths) {
    names += path;
    names.push_back(L'\0');
  }
  names.push_back(L'\0');
  if (paths.empty()) names.push_back(L'\0');
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
  return {CF_HDROP, std::move(bytes)};
}

}  // namespace quillet
