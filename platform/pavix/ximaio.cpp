#include "platform/pavix/ximaio.h"

#include <cstdio>

#include "platform/pavix/ximage.h"

namespace pavix {

bool ReadAll(CxFile* file, std::vector<BYTE>& out) {
    out.clear();
    if (!file) return false;
    long start = file->Tell();
    long size = file->Size();
    if (start < 0 || size < 0 || size < start) return false;
    std::uint64_t bytes = static_cast<std::uint64_t>(size - start);
    if (bytes > GetMemoryLimit()) return false;
    out.resize(static_cast<size_t>(bytes));
    if (bytes && file->Read(out.data(), 1, out.size()) != out.size()) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace pavix
