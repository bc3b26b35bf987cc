// SPDX-License-Identifier: MIT
// Runs a fuzz target without libFuzzer: over every file of the corpus folders given
// on the command line, then over pseudo-random mutations of them, so that every
// build keeps the targets compiling and their seeds passing.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    std::vector<std::vector<uint8_t>> seeds;
    for (int a = 1; a < argc; ++a) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[a])) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    if (seeds.empty()) seeds.emplace_back();
    for (const auto& s : seeds) LLVMFuzzerTestOneInput(s.data(), s.size());
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> input = seeds[random() % seeds.size()];
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const auto kind = random() % 3;
            if (kind == 0 && !input.empty()) {
                input[random() % input.size()] = static_cast<uint8_t>(random());
            } else if (kind == 1) {
                input.insert(input.begin() + static_cast<std::ptrdiff_t>(input.empty() ? 0 : random() % input.size()),
                             static_cast<uint8_t>(random()));
            } else if (!input.empty()) {
                input.erase(input.begin() + static_cast<std::ptrdiff_t>(random() % input.size()));
            }
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu seeds and 3000 mutations passed\n", seeds.size());
    return 0;
}
