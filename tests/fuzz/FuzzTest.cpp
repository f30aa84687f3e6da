// Truncations and random mutations of valid files for every registered reader.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include "platform/pavix/ximage.h"
#include "tests/fuzz/FuzzHarness.h"

namespace fuzz {

static std::vector<Reader>& Table() {
    static std::vector<Reader> readers;
    return readers;
}

bool Register(const Reader& reader) {
    Table().push_back(reader);
    return true;
}

const std::vector<Reader>& Readers() {
    return Table();
}

std::string TempFile(const Bytes& data) {
    static const std::string path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/vimbro-fuzz-" + std::to_string(::getpid()) + ".bin";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return path;
}

}  // namespace fuzz

namespace {

long EnvNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// One random damage: byte values, bit flips, boundary numbers written over header-sized fields,
// chunks removed or repeated, the end cut off.
void Mutate(fuzz::Bytes& b, std::mt19937& rng) {
    if (b.empty()) {
        b.push_back(static_cast<std::uint8_t>(rng()));
        return;
    }
    auto pos = [&] { return static_cast<size_t>(rng() % b.size()); };
    // Header fields sit early in every format; aim there half of the time.
    auto early = [&] { return static_cast<size_t>(rng() % std::min<size_t>(b.size(), 160)); };
    static const std::uint32_t kBoundary[] = {0,      1,      0x7F,    0x80,       0xFF,        0x100,      0x7FFF,
                                              0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};
    switch (rng() % 8) {
        case 0:
            b[pos()] = static_cast<std::uint8_t>(rng());
            break;
        case 1:
            b[early()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            break;
        case 2:
            b[early()] = static_cast<std::uint8_t>(rng());
            break;
        case 3:
        case 4: {
            size_t at = rng() % 2 ? early() : pos();
            std::uint32_t v = kBoundary[rng() % (sizeof kBoundary / sizeof kBoundary[0])];
            int width = rng() % 2 ? 2 : 4;
            bool bigEndian = rng() % 4 == 0;
            for (int i = 0; i < width && at + i < b.size(); ++i)
                b[at + i] = static_cast<std::uint8_t>(v >> (8 * (bigEndian ? width - 1 - i : i)));
            break;
        }
        case 5: {
            size_t at = pos(), n = std::min<size_t>(b.size() - at, 1 + rng() % 64);
            b.erase(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + n));
            break;
        }
        case 6: {
            size_t at = pos(), n = std::min<size_t>(b.size() - at, 1 + rng() % 64);
            fuzz::Bytes chunk(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + n));
            b.insert(b.begin() + static_cast<long>(pos()), chunk.begin(), chunk.end());
            break;
        }
        default:
            b.resize(pos());
            break;
    }
}

class LowerMemoryLimit {
public:
    explicit LowerMemoryLimit(std::uint64_t bytes) : saved_(pavix::GetMemoryLimit()) { pavix::SetMemoryLimit(bytes); }
    ~LowerMemoryLimit() { pavix::SetMemoryLimit(saved_); }

private:
    std::uint64_t saved_;
};

}  // namespace

TEST(Fuzz, EveryReaderSurvivesTruncatedAndMutatedFiles) {
    ASSERT_FALSE(fuzz::Readers().empty());
    const long mutations = EnvNumber("VIMBRO_FUZZ_MUTATIONS", 3000);
    const unsigned seed = static_cast<unsigned>(EnvNumber("VIMBRO_FUZZ_SEED", 20261208));
    LowerMemoryLimit limit(8u << 20);
    for (const fuzz::Reader& reader : fuzz::Readers()) {
        SCOPED_TRACE(reader.name);
        auto started = std::chrono::steady_clock::now();
        std::vector<fuzz::Bytes> samples = reader.samples();
        ASSERT_FALSE(samples.empty());
        for (const auto& s : samples) ASSERT_TRUE(reader.read(s.data(), s.size())) << "a sample does not read";

        long truncations = 0;
        for (const auto& s : samples) {
            // Every length for small samples, an even spread for larger ones.
            size_t step = std::max<size_t>(1, s.size() / 600);
            for (size_t n = 0; n < s.size(); n += step, ++truncations) {
                fuzz::Bytes cut(s.begin(), s.begin() + static_cast<long>(n));
                reader.read(cut.data(), cut.size());
            }
        }
        std::mt19937 rng(seed ^ static_cast<unsigned>(std::hash<std::string>()(reader.name)));
        long pictures = 0;
        for (long i = 0; i < mutations; ++i) {
            fuzz::Bytes b = samples[rng() % samples.size()];
            int damages = 1 + static_cast<int>(rng() % 4);
            for (int d = 0; d < damages; ++d) Mutate(b, rng);
            if (reader.repair && rng() % 4 != 0) reader.repair(b);
            pictures += reader.read(b.data(), b.size());
        }
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        std::printf("[ fuzz     ] %-10s %zu samples, %ld truncations, %ld mutations (%ld still pictures), %lld ms\n",
                    reader.name, samples.size(), truncations, mutations, pictures, static_cast<long long>(ms.count()));
    }
    std::remove(fuzz::TempFile({}).c_str());
}
