#include <iostream>

int main() {
  std::cout << "The calculator window is not built yet.\n";
  return 0;
}
