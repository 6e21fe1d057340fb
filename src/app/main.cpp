#include <cstdio>

int main() {
    std::fprintf(stderr, "dexmoro: the window is not built yet\n");
    return 1;
}
