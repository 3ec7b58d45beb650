// Lutavo: guitar tutor and score editor.

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("lutavo %s\n", LUTAVO_VERSION);
            return 0;
        }
    }
    std::printf("Lutavo %s: the song engine is built; the window arrives with the next release.\n",
                LUTAVO_VERSION);
    return 0;
}
