#include "store/safe_replace.h"

#include <algorithm>

namespace quillet {

std::wstring TempPathFor(const std::wstring& target_path) { return target_path + L".saving"; }

IoStatus SafeReplace(ReplaceSteps& steps, const std::wstring& target_path, std::string_view bytes) {
  const std::wstring temp = TempPathFor(target_path);
  IoStatus status = steps.CreateTemp(temp);
  if (!status) return status;

  for (std::size_t at = 0; status && at < bytes.size(); at += kWriteChunk) {
    status = steps.Write(bytes.substr(at, std::min(kWriteChunk, bytes.size() - at)));
  }
  if (status) status = steps.Flush();
  steps.CloseTemp();
  if (status) status = steps.Replace(temp, target_path);
  if (!status) steps.Remove(temp);
  return status;
}

}  // namespace quillet
