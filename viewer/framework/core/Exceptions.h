// The framework's exception classes. Every failure in Tessaly is raised as one
// of these, carrying a message that the application shows to the user.
#pragma once

#include <stdexcept>
#include <string>

// Base of all framework exceptions. The message is 8-bit text (UTF-8 for
// messages the framework composes itself).
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

#define TESSALY_EXCEPTION(Name, Base)                            \
  class Name : public Base {                                     \
   public:                                                       \
    explicit Name(const std::string& message) : Base(message) {} \
  }

// Streams and files.
TESSALY_EXCEPTION(EStreamError, Exception);
TESSALY_EXCEPTION(EFOpenError, EStreamError);    // a file cannot be opened
TESSALY_EXCEPTION(EFCreateError, EStreamError);  // a file cannot be created
TESSALY_EXCEPTION(EFilerError, EStreamError);
TESSALY_EXCEPTION(EReadError, EFilerError);  // "Stream read error", reader errors
TESSALY_EXCEPTION(EWriteError, EFilerError);
TESSALY_EXCEPTION(EClassNotFound, EFilerError);   // unknown class while reading
TESSALY_EXCEPTION(EInvalidImage, EFilerError);    // "Invalid stream format"
TESSALY_EXCEPTION(EMethodNotFound, EFilerError);  // an event names no method of the root
// Form text.
TESSALY_EXCEPTION(EParserError, Exception);
// Lists and conversions.
TESSALY_EXCEPTION(EListError, Exception);
TESSALY_EXCEPTION(EStringListError, EListError);
TESSALY_EXCEPTION(EConvertError, Exception);
// Components and controls.
TESSALY_EXCEPTION(EComponentError, Exception);
TESSALY_EXCEPTION(EInvalidOperation, Exception);
TESSALY_EXCEPTION(EPropertyError, Exception);
TESSALY_EXCEPTION(EOutOfResources, Exception);
// Runtime errors (range and overflow checks, I/O).
TESSALY_EXCEPTION(ERangeError, Exception);
TESSALY_EXCEPTION(EIntOverflow, Exception);
TESSALY_EXCEPTION(EInOutError, Exception);

#undef TESSALY_EXCEPTION

// Message texts shared by several raisers.
namespace Msg {
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SInvalidImage = "Invalid stream format";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SOutOfRange = "Value must be between %d and %d";
inline constexpr const char* SFOpenError = "Cannot open file \"%s\". %s";
inline constexpr const char* SFCreateError = "Cannot create file \"%s\". %s";
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
}  // namespace Msg
