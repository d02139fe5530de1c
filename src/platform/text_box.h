#pragma once

#include <string>

namespace quillet {

class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::wstring Text() const = 0;
  virtual void SetText(const std::wstring& text) = 0;
  virtual void Focus() = 0;
  virtual void SelectAll() = 0;
};

}  // namespace quillet
