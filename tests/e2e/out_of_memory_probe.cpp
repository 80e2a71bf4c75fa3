// Asks for more memory than any process can have, through the program's own
// allocation path, so a test can see what the user is told.
#include <cstddef>

// Kept where the compiler must store it, so the allocation is not left out.
char* volatile kept = nullptr;

int main() {
  volatile std::size_t impossible = std::size_t{1} << 62;
  kept = new char[impossible];
  return 0;
}
