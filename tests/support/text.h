// Expected texts written as UTF-8 literals (u8"..."): ordinary literals are Shift-JIS at run time,
// while logs, scripts, file names and Qt speak UTF-8.
#pragma once

#include <string>

namespace test_support {

inline std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace test_support
