#include "ui/main/launch.h"

namespace quillet {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool IsSchemeCharacter(wchar_t c) {
  return IsAsciiLetter(c) || (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.';
}

// A URL: a scheme of two or more characters (a drive letter has one) and
// "://", or a mail address after "mailto:". Its % signs are percent-encoding.
bool IsUrl(const std::wstring& target) {
  if (target.empty() || !IsAsciiLetter(target[0])) return false;
  std::size_t n = 1;
  while (n < target.size() && IsSchemeCharacter(target[n])) ++n;
  if (n < 2 || n >= target.size() || target[n] != L':') return false;
  if (target.compare(n, 3, L"://") == 0) return true;
  std::wstring scheme = target.substr(0, n);
  for (wchar_t& c : scheme) c = IsAsciiLetter(c) ? static_cast<wchar_t>(c | 0x20) : c;
  return scheme == L"mailto";
}

bool IsLocalFullPath(const std::wstring& path) {
  if (path.size() < 3 || path[1] != L':' || !IsSeparator(path[2])) return false;
  const wchar_t drive = path[0];
  return (drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z');
}

// The folder holding `path` (a local full path); a drive's root holds itself.
std::wstring FolderOf(const std::wstring& path) {
  std::size_t end = path.size();
  while (end > 3 && IsSeparator(path[end - 1])) --end;  // "C:\Tools\" is the folder C:\Tools
  std::size_t cut = end;
  while (cut > 3 && !IsSeparator(path[cut - 1])) --cut;
  if (cut <= 3) return path.substr(0, 3);
  return path.substr(0, cut - 1);
}

}  // namespace

std::wstring ExpandVariables(const std::wstring& text, const Environment& env) {
  std::wstring out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find(L'%', at);
    if (open == std::wstring::npos) break;
    out.append(text, at, open - at);
    const std::size_t close = text.find(L'%', open + 1);
    if (close == std::wstring::npos) {
      at = open;
      break;
    }
    const std::optional<std::wstring> value =
        close > open + 1 ? env.Variable(text.substr(open + 1, close - open - 1)) : std::nullopt;
    if (value) {
      out += *value;
      at = close + 1;
    } else {
      // Kept as written; the closing % is read again as a possible opening.
      out.append(text, open, close - open);
      at = close;
    }
  }
  out.append(text, at, std::wstring::npos);
  return out;
}

Launch PlanLaunch(const std::wstring& target, const Environment& env) {
  Launch launch{IsUrl(target) ? target : ExpandVariables(target, env), {}};
  if (IsLocalFullPath(launch.file) && env.Exists(launch.file)) launch.directory = FolderOf(launch.file);
  return launch;
}

}  // namespace quillet
