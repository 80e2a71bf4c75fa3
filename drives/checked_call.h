#pragma once
// Calls a bound system function and makes sure it took the arguments it was
// given. On i686 a WINAPI function removes its own arguments from the stack, so
// a declaration that does not match the function leaves the stack pointer
// somewhere else; that is caught here as a fatal stack error.
#include <cstdint>
#include <type_traits>

#include "app/fatal.h"

#if defined(__i386__)
#define VORANEL_WINAPI __attribute__((stdcall))
#else
#define VORANEL_WINAPI
#endif

namespace voranel {

#if defined(__i386__)

// Pushes count 32-bit words (words[0] ends up nearest the return address),
// calls function, and reports in *stackIntact whether the stack pointer came back
// exactly where it was before the words were pushed. The stack pointer is put
// back in either case, so a mismatch never corrupts the caller's frame.
extern "C" std::uint32_t voranel_call_with_stack_check(const void* function,
                                                       const std::uint32_t* words,
                                                       std::uint32_t count, int* stackIntact);

template <class T>
std::uint32_t ToWord(T value) {
  static_assert(sizeof(T) == 4, "every argument of a system function is a 32-bit value here");
  if constexpr (std::is_null_pointer_v<T>) {
    return 0;
  } else if constexpr (std::is_pointer_v<T>) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value));
  } else {
    return static_cast<std::uint32_t>(value);
  }
}

template <class Function, class... Args>
auto CallChecked(Function function, Args... args) {
  using Result = std::invoke_result_t<Function, Args...>;
  const std::uint32_t words[] = {ToWord(args)..., 0};  // the trailing 0 keeps the array non-empty
  int stackIntact = 0;
  const std::uint32_t result = voranel_call_with_stack_check(
      reinterpret_cast<const void*>(function), words, sizeof...(Args), &stackIntact);
  if (!stackIntact) FatalError("调用系统函数后堆栈出错", kStackErrorCode);
  if constexpr (std::is_pointer_v<Result>) {
    return reinterpret_cast<Result>(static_cast<std::uintptr_t>(result));
  } else {
    return static_cast<Result>(result);
  }
}

#else

// On x86_64 the caller removes the arguments it supplied, whatever the callee
// believes it was given, so a mismatched declaration cannot move the stack
// pointer and there is nothing to compare.
template <class Function, class... Args>
auto CallChecked(Function function, Args... args) {
  return function(args...);
}

#endif

}  // namespace voranel
