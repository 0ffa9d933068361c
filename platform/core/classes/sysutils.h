#pragma once
// The class library's exception root, the 8-bit text comparisons its
// lists sort with, and its text-to-identifier conversion. Comparisons work
// on code page 1252 text: the case-less one folds letters (accented ones
// included) before comparing.

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/core/classes/object.h"
#include "platform/core/window_system/com_types.h"

namespace platform {

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  std::string Message() const { return what(); }
};
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
class EListError : public Exception {
 public:
  using Exception::Exception;
};
class EStringListError : public Exception {
 public:
  using Exception::Exception;
};
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

// <0, 0 or >0.
int AnsiCompareStr(std::string_view A, std::string_view B);
int AnsiCompareText(std::string_view A, std::string_view B);
std::string AnsiUpperCase(std::string_view S);
std::string AnsiLowerCase(std::string_view S);
bool SameText(std::string_view A, std::string_view B);

// The class name as the class library reports it: the type's own name
// without namespaces.
std::string ClassNameOf(const TObject& Object);

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (hexadecimal digits of either
// case) as the identifier it names; EConvertError for any other text.
GUID StringToGUID(std::string_view S);

}  // namespace platform
