// Replay driver for LLVMFuzzerTestOneInput entry points built with g++: runs every file of the
// given corpus folders (or files), then --runs=N pseudo-random inputs derived from them, so the
// sanitizer build exercises the entry points without a coverage-guided fuzzer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Input = std::vector<std::uint8_t>;

void Collect(const std::filesystem::path& path, std::vector<Input>& corpus) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ec)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            Collect(file, corpus);
        }
        return;
    }
    std::ifstream in(path, std::ios::binary);
    if (in) {
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
}

void Run(const Input& input) {
    // A copy of exactly the input's size, so reads past the end are seen by the sanitizer.
    auto* copy = static_cast<std::uint8_t*>(std::malloc(input.size() + 1));
    if (!input.empty()) {
        std::memcpy(copy, input.data(), input.size());
    }
    LLVMFuzzerTestOneInput(input.empty() ? nullptr : copy, input.size());
    std::free(copy);
}

Input Mutate(const Input& seed, std::mt19937& rng) {
    Input out = seed;
    std::uniform_int_distribution<int> kind(0, 5);
    int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        switch (kind(rng)) {
            case 0:  // flip a byte
                if (!out.empty()) {
                    out[rng() % out.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
                }
                break;
            case 1:  // random byte
                if (!out.empty()) {
                    out[rng() % out.size()] = static_cast<std::uint8_t>(rng());
                }
                break;
            case 2:  // insert
                out.insert(out.begin() + static_cast<long>(out.empty() ? 0 : rng() % out.size()),
                           static_cast<std::uint8_t>(rng()));
                break;
            case 3:  // truncate
                if (!out.empty()) {
                    out.resize(rng() % out.size());
                }
                break;
            case 4:  // interesting value
                if (!out.empty()) {
                    static const std::uint8_t kValues[] = {0, 1, 0x7F, 0x80, 0xFF, '{', '[', '"'};
                    out[rng() % out.size()] = kValues[rng() % sizeof kValues];
                }
                break;
            default:  // duplicate a slice
                if (out.size() > 1 && out.size() < 4096) {
                    std::size_t from = rng() % out.size();
                    std::size_t len = 1 + rng() % (out.size() - from);
                    Input slice(out.begin() + static_cast<long>(from),
                                out.begin() + static_cast<long>(from + len));
                    out.insert(out.begin() + static_cast<long>(rng() % out.size()), slice.begin(),
                               slice.end());
                }
                break;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    long runs = 0;
    std::vector<Input> corpus;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--runs=", 7) == 0) {
            runs = std::strtol(argv[i] + 7, nullptr, 10);
        } else {
            Collect(argv[i], corpus);
        }
    }
    corpus.emplace_back();  // the empty input always runs
    for (const auto& input : corpus) {
        Run(input);
    }
    std::mt19937 rng(0x5A0F2210u);
    for (long r = 0; r < runs; ++r) {
        const Input& seed = corpus[rng() % corpus.size()];
        Run(Mutate(seed, rng));
    }
    std::printf("replayed %zu corpus inputs and %ld random inputs\n", corpus.size(), runs);
    return 0;
}
