# Writes a C++ source that holds the bytes of one file and registers them as
# a named resource at start-up.
#   cmake -DINPUT=<file> -DOUTPUT=<source> -DNAME=<name> -DTYPE=<type> -P EmbedResource.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
if(size EQUAL 0)
  set(bytes "0x00")
endif()
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include <cstdint>

#include \"platform/core/text/resources.h\"

namespace {

const std::uint8_t kBytes[] = {
    ${bytes}
};

[[maybe_unused]] const bool kRegistered =
    platform::RegisterResource(\"${NAME}\", \"${TYPE}\", std::span(kBytes, ${size}));

}  // namespace
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
