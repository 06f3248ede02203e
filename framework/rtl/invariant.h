// Invariants of the framework's own data (a control removed is a child, a
// sibling exists). A broken one is a fault of ours, not of the input: it
// stops the program with the place and the reason in Debug and sanitizer
// builds and costs nothing in a release build.
#pragma once

#if !defined(NDEBUG) || defined(TAVRION_INVARIANTS)
#define TAV_INVARIANT(condition, message) \
  ((condition) ? void() : invariant::Broken(#condition, message, __FILE__, __LINE__))
#else
#define TAV_INVARIANT(condition, message) ((void)sizeof(condition))
#endif

namespace invariant {

[[noreturn]] void Broken(const char* condition, const char* message, const char* file, int line);

}  // namespace invariant
