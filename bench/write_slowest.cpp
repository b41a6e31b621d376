// Writes the slowest switch images there are into a folder, as 1.bmp, 2.bmp,
// ..., and prints their names in that order: write_slowest DIR
#include "slowestbitmaps.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_slowest DIR\n");
        return 2;
    }
    int number = 0;
    for (const NamedBitmap &file : slowestBitmaps()) {
        std::ofstream out(std::string(argv[1]) + "/" + std::to_string(++number) + ".bmp",
                          std::ios::binary);
        out.write(reinterpret_cast<const char *>(file.bytes.data()),
                  std::streamsize(file.bytes.size()));
        if (!out)
            return 1;
        std::printf("%s\n", file.name);
    }
    return 0;
}
