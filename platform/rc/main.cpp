// Placeholder until the resource compiler lands.
#include <cstdio>
int main() { std::fprintf(stderr, "lvrc: not built yet\n"); return 1; }
