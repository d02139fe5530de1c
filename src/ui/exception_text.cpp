#include "ui/exception_text.h"

#include <new>

#include "ui/texts.h"

namespace quillet {

std::wstring ExceptionMessage(std::exception_ptr error, const std::wstring& out_of_memory_text) {
  std::wstring message = kOperationFailedPrefix;
  try {
    if (error) std::rethrow_exception(error);
    message += kUnknownError;
  } catch (const std::bad_alloc&) {
    message += out_of_memory_text;
  } catch (const std::exception& e) {
    // Our own and the library's texts are ASCII; anything else is shown as '?'.
    for (const char* c = e.what(); *c != '\0'; ++c) message += static_cast<unsigned char>(*c) < 0x80 ? *c : L'?';
  } catch (...) {
    message += kUnknownError;
  }
  return message;
}

}  // namespace quillet
