// A run-time library with one export, loaded by the dynamic-library tests.

#if defined(_WIN32)
#define ORV_TEST_EXPORT __declspec(dllexport)
#else
#define ORV_TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" ORV_TEST_EXPORT int OrvTestAnswer(int x) { return x * 2 + 1; }
