// Every allocation of the program goes through here: memory that cannot be had
// is a fatal error naming the bytes asked for. The nothrow forms stay nothrow.
#include <malloc.h>

#include <cstdlib>
#include <new>

#include "app/fatal_win32.h"

namespace {

[[noreturn]] void OutOfMemory(std::size_t size) {
  char text[64] = "内存不足：无法分配 ";
  char digits[24];
  char* p = digits + sizeof digits;
  *--p = '\0';
  do {
    *--p = static_cast<char>('0' + size % 10);
    size /= 10;
  } while (size);
  char* end = text;
  while (*end) ++end;
  for (const char* d = p; *d;) *end++ = *d++;
  for (const char* unit = " 字节"; *unit;) *end++ = *unit++;
  *end = '\0';
  voranel::FatalErrorText(text, std::nullopt);
}

void* Allocate(std::size_t size) {
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  OutOfMemory(size);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  if (void* memory = _aligned_malloc(size ? size : 1, static_cast<std::size_t>(alignment)))
    return memory;
  OutOfMemory(size);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}

void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateAligned(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return _aligned_malloc(size ? size : 1, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return _aligned_malloc(size ? size : 1, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory, std::align_val_t) noexcept {
  _aligned_free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
  _aligned_free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
  _aligned_free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
  _aligned_free(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  _aligned_free(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  _aligned_free(memory);
}
