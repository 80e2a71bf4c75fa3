// The program is built without exceptions: the few places where the standard
// library would throw (a string past its maximum size, an index out of range)
// end in the fatal error box instead. Defining these here also keeps the
// exception runtime, the name demangler and the thread library out of the
// program file. The containers' bounds checks end there too. Memory that cannot be had never gets
// this far: operator new reports it itself.
#include <cstdlib>
#include <exception>

#include "app/fatal_win32.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  voranel::FatalErrorText(what && *what ? what : "标准库内部错误", std::nullopt);
}

}  // namespace

namespace std {

void __throw_bad_exception() {
  Fail(nullptr);
}
void __throw_bad_alloc() {
  Fail("内存不足");
}
void __throw_bad_array_new_length() {
  Fail("内存不足");
}
void __throw_bad_cast() {
  Fail(nullptr);
}
void __throw_bad_typeid() {
  Fail(nullptr);
}
void __throw_logic_error(const char* what) {
  Fail(what);
}
void __throw_domain_error(const char* what) {
  Fail(what);
}
void __throw_invalid_argument(const char* what) {
  Fail(what);
}
void __throw_length_error(const char* what) {
  Fail(what);
}
void __throw_out_of_range(const char* what) {
  Fail(what);
}
void __throw_out_of_range_fmt(const char* what, ...) {
  Fail(what);
}
void __throw_runtime_error(const char* what) {
  Fail(what);
}
void __throw_range_error(const char* what) {
  Fail(what);
}
void __throw_overflow_error(const char* what) {
  Fail(what);
}
void __throw_underflow_error(const char* what) {
  Fail(what);
}
void __throw_bad_function_call() {
  Fail(nullptr);
}

// A failed bounds check of the standard containers (built with _GLIBCXX_ASSERTIONS).
void __glibcxx_assert_fail(const char*, int, const char*, const char* condition) noexcept {
  static char text[160];
  const char* parts[] = {"程序内部检查失败：", condition ? condition : ""};
  char* end = text;
  for (const char* part : parts) {
    while (*part && end < text + sizeof text - 1) *end++ = *part++;
  }
  *end = '\0';
  Fail(text);
}

}  // namespace std

namespace __cxxabiv1 {
// Without exceptions nothing should reach terminate; if something does, the
// plain abort replaces the default handler that prints demangled names.
std::terminate_handler __terminate_handler = std::abort;
}  // namespace __cxxabiv1
