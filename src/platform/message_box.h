#pragma once

#include <string>

namespace quillet {

enum class MessageStyle { kOk = 0, kOkCancel = 1 };
enum class MessageAnswer { kOk = 1, kCancel = 2 };

// Modal message boxes without icon; OK is the default button.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const std::wstring& text, const std::wstring& title, MessageStyle style) = 0;
};

}  // namespace quillet
