// Runs a program after writing "start <CLOCK_MONOTONIC nanoseconds>" into the file
// named by LV_BENCH_MARKER: exec keeps the process, so the stamp is the process's
// own start, before the dynamic loader and Qt run.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (const char* path = std::getenv("LV_BENCH_MARKER")) {
        if (FILE* marker = std::fopen(path, "a")) {
            std::fprintf(marker, "start %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
            std::fclose(marker);
        }
    }
    execv(argv[1], argv + 1);
    return 127;
}
