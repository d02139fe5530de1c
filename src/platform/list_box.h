#pragma once

#include <string>
#include <vector>

namespace quillet {

// A single-selection list of text items in the order given (never sorted).
// Counts and indices are full-size; an item may hold any character, NUL included.
class ListBox {
 public:
  virtual ~ListBox() = default;
  virtual const std::vector<std::wstring>& Items() const = 0;
  int Count() const { return static_cast<int>(Items().size()); }
  virtual void AppendItems(std::vector<std::wstring> items) = 0;
  virtual void InsertItem(int index, std::wstring item) = 0;
  virtual void SetItem(int index, std::wstring item) = 0;
  virtual void RemoveItem(int index) = 0;
  virtual void Clear() = 0;
  // -1 when no item is selected.
  virtual int SelectedIndex() const = 0;
};

}  // namespace quillet
