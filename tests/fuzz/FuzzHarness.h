// One mutation harness for every reader of outside files.
//
// A reader registers its name, a few valid sample files and a function that reads one block of
// bytes the way the program would. The harness feeds every reader its samples cut short at many
// lengths and thousands of randomly damaged copies, with the picture memory limit lowered, and
// expects nothing but clean failures or sound pictures; run under AddressSanitizer it also
// catches every read or write out of bounds. Adding a reader is one Register call in a source
// file of this folder (every source here is compiled into the test):
//
//   const bool registered = fuzz::Register({"pht", PhtSamples, ReadPht});
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

using Bytes = std::vector<std::uint8_t>;

struct Reader {
    const char* name;
    std::vector<Bytes> (*samples)();
    // Reads one block; must not crash whatever the bytes are. Returns whether it gave a picture.
    bool (*read)(const std::uint8_t* data, size_t size);
    // Optional: mends a damaged copy's checksums so the damage reaches past them.
    void (*repair)(Bytes& data) = nullptr;
};

bool Register(const Reader& reader);
const std::vector<Reader>& Readers();

// Writes a block to a temporary file (in memory where the system has such a folder) for readers
// that take a path; the same file is reused.
std::string TempFile(const Bytes& data);

}  // namespace fuzz
