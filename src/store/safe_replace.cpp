#include "store/safe_replace.h"

#include <algorithm>

namespace quillet {

std::wstring TempPathFor(const std::wstring& target_path) { return target_path + L".saving"; }

std::wstring ProbePathFor(const std::wstring& target_path) { return target_path + L".probe"; }

IoStatus SafeReplace(ReplaceSteps& steps, HoldClock& clock, const std::wstring& target_path, std::string_view bytes) {
  const auto in_place = [&](const std::wstring& target) {
    return RideOutHold(clock, [&] { return steps.RewriteInPlace(target, bytes); });
  };
  // Through a link to the file itself: replacing the link would cut it.
  const SaveTarget resolved = steps.ResolveTarget(target_path);
  if (resolved.path.empty() && resolved.dangling_link) {
    // The file is made where the link points, and written through the link.
    const StepOutcome made = RideOutHold(clock, [&] { return steps.CreateThroughLink(target_path); });
    if (!made.status) return made.status;
    return in_place(target_path).status;
  }
  const std::wstring target = resolved.path.empty() ? target_path : resolved.path;
  // A new file in the place of one name would part it from the others.
  if (resolved.links > 1) return in_place(target).status;
  const std::wstring temp = TempPathFor(target);

  StepOutcome created = RideOutHold(clock, [&] { return steps.CreateTemp(temp); });
  if (!created.status) {
    if (!created.refused) return created.status;
    // The folder takes no new file, but the file itself may still be
    // writable. When the file can't even be opened, the folder's refusal is
    // the reason to give; once the rewrite has begun, its own failure is.
    const StepOutcome rewritten = in_place(target);
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
  if (status) status = RideOutHold(clock, [&] { return steps.Replace(temp, target); });
  if (!status) steps.Remove(temp);
  return status;
}

IoStatus ProbeSave(ReplaceSteps& steps, const std::wstring& target_path) {
  const SaveTarget resolved = steps.ResolveTarget(target_path);
  const std::wstring target = resolved.path.empty() ? target_path : resolved.path;
  // A file of several names is only ever rewritten in place.
  if (resolved.links > 1) return steps.TryOpenForWriting(target);
  const IoStatus made = steps.TryCreateAndRemove(ProbePathFor(target));
  if (made || resolved.path.empty()) return made;
  return steps.TryOpenForWriting(target) ? IoStatus::Ok() : made;
}

}  // namespace quillet
