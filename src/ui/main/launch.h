#pragma once

#include <string>

#include "platform/environment.h"

namespace quillet {

// What the shell is asked to open for one target: the whole target (never
// split into a program and its arguments) and the folder it starts in.
struct Launch {
  std::wstring file;
  std::wstring directory;  // empty: the shell's own choice
};

// Every %NAME% whose variable is set becomes its value; a name that is not
// set stays as written, and its closing % may open the next name, as the
// system's own expansion reads it.
std::wstring ExpandVariables(const std::wstring& text, const Environment& env);

// A target that names an existing file or folder by a full local path (a
// drive letter) starts in the folder that holds it, as it does from the file
// browser; web addresses, bare program names the system searches for,
// network paths and anything else get no folder. Variables are expanded
// except in a URL (`scheme://…`, `mailto:…`), which is opened as written.
Launch PlanLaunch(const std::wstring& target, const Environment& env);

}  // namespace quillet
