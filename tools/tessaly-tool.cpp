#include <cstdio>

int main() {
  std::fprintf(stderr, "usage: tessaly-tool COMMAND FILE...\n");
  return 2;
}
