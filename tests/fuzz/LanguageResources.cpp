// The language resource file (Brelt.rcc), for the fuzz harness: a damaged file must be refused
// or read without any access outside it.
#include "platform/brelt/Brelt.h"
#include "tests/fuzz/FuzzHarness.h"

#include <fstream>
#include <iterator>

namespace {

using fuzz::Bytes;

std::vector<Bytes> BreltSamples() {
    std::ifstream in(BRELT_SAMPLE_RCC, std::ios::binary);
    return {Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
}

bool ReadBrelt(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::TempFile(Bytes(data, data + size));
    if (!CBrelt::Load(QString::fromStdString(path)))
        return false;
    const bool read = !CBrelt::String(9000).isEmpty();
    CBrelt::String(57344);
    for (const CBrelt::MenuItem& popup : CBrelt::Menu(129))
        for (const CBrelt::MenuItem& item : popup.children) (void)item.text.size();
    CBrelt::Bitmap(7516);
    CBrelt::Unload();
    return read;
}

const bool registered = fuzz::Register({"brelt", BreltSamples, ReadBrelt});

}  // namespace
