#include <windows.h>

#include "app/fatal.h"
#include "app/fatal_win32.h"

namespace voranel {

namespace {

bool g_raised = false;
FatalCleanup g_cleanup = nullptr;
char g_text[1024];  // static, so a fatal error for exhausted memory needs none

constexpr char kCaption[] = "Voranel  v1.0";
constexpr char kIntro[] = "程序出错，无法继续：\r\n\r\n";
constexpr char kCodeIntro[] = "\r\n\r\n错误代码：";

// Appends text at *end, leaving room for the terminating NUL.
void Append(char*& end, const char* text) {
  char* const last = g_text + sizeof g_text - 1;
  while (*text && end < last) *end++ = *text++;
  *end = '\0';
}

void AppendNumber(char*& end, long value) {
  char digits[24];
  char* p = digits + sizeof digits;
  *--p = '\0';
  unsigned long magnitude =
      value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (value < 0) *--p = '-';
  Append(end, p);
}

}  // namespace

void SetFatalCleanup(FatalCleanup cleanup) {
  g_cleanup = cleanup;
}

bool FatalErrorRaised() {
  return g_raised;
}

void FatalErrorText(const char* message, std::optional<long> code) {
  // A second fatal error while the first is reported (say, from a handler the
  // error box let run) ends the process at once.
  if (g_raised) ::ExitProcess(static_cast<UINT>(-1));
  g_raised = true;

  char* end = g_text;
  Append(end, kIntro);
  Append(end, message ? message : "");
  if (code) {
    Append(end, kCodeIntro);
    AppendNumber(end, *code);
  }
  // No owner; task-modal, so the program's windows take no input meanwhile.
  ::MessageBoxA(nullptr, g_text, kCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);

  if (g_cleanup) g_cleanup();
  ::ExitProcess(static_cast<UINT>(-1));
}

void FatalError(const std::string& message, std::optional<long> code) {
  FatalErrorText(message.c_str(), code);
}

}  // namespace voranel
