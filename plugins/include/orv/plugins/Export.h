#pragma once
// Marks a run-time library's C exports; everything else stays hidden.
#ifdef _WIN32
#define ORV_PLUGIN_EXPORT extern "C" __declspec(dllexport)
#else
#define ORV_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif
