#pragma once
// The resource library ("ConfigBase"): pictures answered by resource number.
// 10002 the application icon, 10005 the about picture, 10010 + language index
// the language flags.

#include <cstdint>

namespace orv::plugins {

inline constexpr std::uint32_t kResIcon = 10002;
inline constexpr std::uint32_t kResAboutPicture = 10005;
inline constexpr std::uint32_t kResFirstFlag = 10010;

// Returns the bytes of the resource as an image file (a Windows bitmap,
// 32 bits per pixel with alpha) and stores their count in *size, or returns
// nullptr when the resource does not exist. The bytes stay valid while the
// library is loaded.
using GetResourceFn = const std::uint8_t* (*)(std::uint32_t resource, std::uint32_t* size);

inline constexpr const char* kGetResource = "_GetResource";

}  // namespace orv::plugins
