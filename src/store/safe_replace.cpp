#include "store/safe_replace.h"

#include <algorithm>

namespace quillet {

std::wstring TempPathFor(const std::wstring& target_path) { return target_path + L".saving"; }

IoStatus SafeReplace(ReplaceSteps& steps, const std::wstring& target_path, std::string_view bytes) {
  // Through a link to the file itself: replacing the link would cut it.
  std::wstring target = steps.ResolveTarget(target_path);
  if (target.empty()) target = target_path;
  const std::wstring temp = TempPathFor(target);

  StepOutcome created = steps.CreateTemp(temp);
  if (!created.status) {
    if (!created.refused) return created.status;
    // The folder takes no new file, but the file itself may still be
    // writable. When the file can't even be opened, the folder's refusal is
    // the reason to give; once the rewrite has begun, its own failure is.
    const StepOutcome rewritten = steps.RewriteInPlace(target, bytes);
    if (rewritten.status) return IoStatus::Ok();
    return rewritten.refused ? created.status : rewritten.status;
  }

  IoStatus status;
  for (std::size_t at = 0; status && at < bytes.size(); at += kWriteChunk) {
    status = steps.Write(bytes.substr(at, std::min(kWriteChunk, bytes.size() - at)));
  }
  if (status) status = steps.Flush();
  steps.CloseTemp();
  // Best effort: a file that keeps its bytes but not its owner beats a save
  // that fails.
  if (status) steps.CopyMetadata(target, temp);
  if (status) status = steps.Replace(temp, target);
  if (!status) steps.Remove(temp);
  return status;
}

}  // namespace quillet
