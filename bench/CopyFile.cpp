// The Windows baseline of the speed measurement: one file copied by the
// system's own CopyFileA, as Explorer or `copy` would. Usage: copy_file FROM TO
#include <windows.h>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: copy_file FROM TO\n", stderr);
        return 64;
    }
    if (!CopyFileA(argv[1], argv[2], FALSE)) {
        std::fprintf(stderr, "copy_file: CopyFileA failed: %lu\n", GetLastError());
        return 1;
    }
    return 0;
}
