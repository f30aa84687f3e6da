// CxFile: the byte stream the codecs read from and write to (a disk file or a memory block).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/windef.h"

class CxFile {
public:
    virtual ~CxFile() = default;
    virtual bool Close() = 0;
    // Reads up to count items of size bytes; returns the number of whole items read.
    virtual size_t Read(void* buffer, size_t size, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t size, size_t count) = 0;
    virtual bool Seek(long offset, int origin) = 0;
    virtual long Tell() = 0;
    virtual long Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    virtual long Error() = 0;
    virtual bool PutC(unsigned char c) { return Write(&c, 1, 1) == 1; }
    // The next byte, or -1 at the end.
    virtual long GetC() = 0;
};
