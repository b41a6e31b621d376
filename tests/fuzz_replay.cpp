// Runs a fuzz target over the files of a corpus, where libFuzzer is missing
// (mingw-w64): the Windows build replays the corpus under Wine.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char **argv)
{
    int files = 0;
    for (int i = 1; i < argc; ++i)
        for (const auto &entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), {});
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++files;
        }
    std::printf("%d files replayed\n", files);
    return files > 0 ? 0 : 1;
}
