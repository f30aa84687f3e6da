// Helpers the codecs share: bounded whole-file reads and little-endian field access.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/pavix/xfile.h"

namespace pavix {

// Reads from the file's position to its end into out; false when the file is unreadable or
// longer than the memory limit.
bool ReadAll(CxFile* file, std::vector<BYTE>& out);

// Field reader over a byte block: every read is bounds-checked; a read past the end returns 0 and
// clears ok, so a parser can read a header through and test ok once.
class ByteReader {
public:
    ByteReader(const BYTE* data, size_t size) : p_(data), n_(size) {}
    bool ok = true;
    size_t pos() const { return pos_; }
    size_t size() const { return n_; }
    size_t remaining() const { return pos_ <= n_ ? n_ - pos_ : 0; }
    const BYTE* here() const { return p_ + pos_; }
    bool Seek(size_t at) {
        if (at > n_) {
            ok = false;
            return false;
        }
        pos_ = at;
        return true;
    }
    bool Skip(size_t k) { return Seek(pos_ + k <= n_ && pos_ + k >= pos_ ? pos_ + k : n_ + 1); }
    BYTE U8() {
        if (pos_ + 1 > n_) return Fail();
        return p_[pos_++];
    }
    WORD U16() {
        if (pos_ + 2 > n_) return Fail();
        WORD v = static_cast<WORD>(p_[pos_] | (p_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    DWORD U32() {
        if (pos_ + 4 > n_) return Fail();
        DWORD v = static_cast<DWORD>(p_[pos_]) | (static_cast<DWORD>(p_[pos_ + 1]) << 8) |
                  (static_cast<DWORD>(p_[pos_ + 2]) << 16) | (static_cast<DWORD>(p_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::int32_t S32() { return static_cast<std::int32_t>(U32()); }

private:
    BYTE Fail() {
        ok = false;
        pos_ = n_;
        return 0;
    }
    const BYTE* p_;
    size_t n_;
    size_t pos_ = 0;
};

inline void PutU16(std::vector<BYTE>& v, unsigned x) {
    v.push_back(static_cast<BYTE>(x));
    v.push_back(static_cast<BYTE>(x >> 8));
}
inline void PutU32(std::vector<BYTE>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<BYTE>(x >> (8 * i)));
}

}  // namespace pavix
