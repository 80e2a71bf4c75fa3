#pragma once
// Shared pieces of the Windows tests: a one-list form to drive a check list
// with real messages, and the program loader the app library expects.
#include <windows.h>

#include <array>

#include "toolkit/form.h"

namespace voranel::test {

// Records events; the check list tests need none.
class NoEvents final : public win32::FormEvents {
 public:
  void Created() override { ++created; }
  void Clicked(int id) override { clicked.push_back(id); }
  int created = 0;
  std::vector<int> clicked;
};

// Runs every message already queued for this thread.
inline void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace voranel::test
