#pragma once

#include <windows.h>

namespace quillet {

// A function of a Windows DLL that the program needs only now and then (the
// shell's), looked up on first use so that starting the program doesn't load
// the DLL. Only the system folder is searched. nullptr when it can't be had.
template <class Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = ::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace quillet
