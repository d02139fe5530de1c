#include "ui/entry_list.h"

namespace quillet {

void EntryList::Insert(int index, std::wstring line) {
  lines_.Insert(static_cast<std::size_t>(index), std::move(line));
  if (followed_ != kNone && index <= followed_) ++followed_;
  view_.Changed(index, +1);
}

void EntryList::Set(int index, std::wstring line) {
  lines_.Set(static_cast<std::size_t>(index), std::move(line));
  view_.Changed(index, 0);
}

void EntryList::Remove(int index) {
  lines_.Remove(static_cast<std::size_t>(index));
  if (index == followed_)
    followed_ = kNone;
  else if (index < followed_)
    --followed_;
  view_.Changed(index, -1);
}

void EntryList::Clear() {
  const int count = Count();
  lines_.Clear();
  followed_ = kNone;
  if (count > 0) view_.Changed(0, -count);
}

IoStatus EntryList::Load(EntryFile& file) {
  const int count = Count();
  IoStatus status = file.LoadLines(lines_);
  if (Count() != count) view_.Changed(count, Count() - count);
  return status;
}

}  // namespace quillet
