#include "platform/win/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <vector>

namespace win {
namespace {

// Length of the UTF-8 sequence starting with byte b, or 0 when b cannot start one.
std::size_t Utf8SequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) return 2;
    if ((b & 0xF0) == 0xE0) return 3;
    if ((b & 0xF8) == 0xF0) return 4;
    return 0;
}

// Length of the well-formed UTF-8 sequence at text[i], or 0 when the byte there starts none (a
// stray continuation byte, or a lead byte whose continuation bytes are missing).
std::size_t SequenceAt(const std::string& text, std::size_t i) {
    const std::size_t n = Utf8SequenceLength(static_cast<unsigned char>(text[i]));
    if (n == 0 || i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    }
    return n;
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts one whole input; returns false when iconv rejects some of it.
    bool Convert(const char* in, std::size_t inLen, std::string& out) {
        std::lock_guard<std::mutex> lock(mutex_);
        out.clear();
        if (!ok()) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> buffer(inLen * 4 + 16);
        char* src = const_cast<char*>(in);
        std::size_t srcLeft = inLen;
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
        if (r == static_cast<std::size_t>(-1) || srcLeft != 0) return false;
        out.assign(buffer.data(), buffer.size() - dstLeft);
        return true;
    }

private:
    iconv_t cd_;
    std::mutex mutex_;
};

Converter& ToCp949() {
    static Converter c("CP949", "UTF-8");
    return c;
}

Converter& FromCp949() {
    static Converter c("UTF-8", "CP949");
    return c;
}

}  // namespace

std::string Utf8ToCp949(const std::string& utf8) {
    std::string result;
    result.reserve(utf8.size());
    std::string piece;
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            result.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        std::size_t n = SequenceAt(utf8, i);
        if (n == 0) {
            result.push_back('?');
            ++i;
            continue;
        }
        if (ToCp949().Convert(utf8.data() + i, n, piece)) {
            result += piece;
        } else {
            result.push_back('?');
        }
        i += n;
    }
    return result;
}

std::string Cp949ToUtf8(const std::string& cp949) {
    std::string result;
    result.reserve(cp949.size() * 3 / 2);
    std::string piece;
    std::size_t i = 0;
    while (i < cp949.size()) {
        unsigned char b = static_cast<unsigned char>(cp949[i]);
        if (b < 0x80) {
            result.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        if (i + 1 < cp949.size() && FromCp949().Convert(cp949.data() + i, 2, piece)) {
            result += piece;
            i += 2;
        } else {
            result += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return result;
}

std::size_t Cp949Length(const std::string& utf8) {
    std::size_t length = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            ++length;
            ++i;
            continue;
        }
        std::size_t n = SequenceAt(utf8, i);
        if (n == 0) {
            ++length;
            ++i;
            continue;
        }
        // Hangul syllables (U+AC00..U+D7A3) are all two bytes in CP949; skip iconv for them.
        if (n == 3) {
            unsigned cp = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                          (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
            if (cp >= 0xAC00 && cp <= 0xD7A3) {
                length += 2;
                i += 3;
                continue;
            }
        }
        std::string piece;
        length += ToCp949().Convert(utf8.data() + i, n, piece) ? piece.size() : 1;
        i += n;
    }
    return length;
}

std::string Cp949Truncate(const std::string& utf8, std::size_t maxBytes) {
    std::size_t used = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t n = SequenceAt(utf8, i);
        if (n == 0) n = 1;
        std::size_t width = Cp949Length(utf8.substr(i, n));
        if (used + width > maxBytes) break;
        used += width;
        i += n;
    }
    return utf8.substr(0, i);
}

}  // namespace win
