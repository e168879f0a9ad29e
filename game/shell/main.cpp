// The game's entry.
#include <cstdio>

int main() {
  std::puts("quorel: the game's window is not built yet");
  return 0;
}
