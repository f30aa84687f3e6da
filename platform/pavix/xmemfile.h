// CxMemFile: a CxFile over a growable memory block, for encoding into memory and decoding from it.
#pragma once

#include "platform/pavix/xfile.h"

class CxMemFile : public CxFile {
public:
    // With a buffer the file reads (and may overwrite) that block without owning it; without one
    // Open() makes an owned, growable block.
    CxMemFile(BYTE* pBuffer = nullptr, DWORD size = 0);
    ~CxMemFile() override;
    CxMemFile(const CxMemFile&) = delete;
    CxMemFile& operator=(const CxMemFile&) = delete;

    bool Open();
    // The block; with bDetachBuffer the caller takes it over (free it with CxImage::FreeMemory).
    BYTE* GetBuffer(bool bDetachBuffer = true);

    bool Close() override;
    size_t Read(void* buffer, size_t size, size_t count) override;
    size_t Write(const void* buffer, size_t size, size_t count) override;
    bool Seek(long offset, int origin) override;
    long Tell() override { return m_Position; }
    long Size() override { return m_Size; }
    bool Flush() override { return true; }
    bool Eof() override { return m_pBuffer == nullptr || m_Position >= m_Size; }
    long Error() override { return m_pBuffer == nullptr ? -1 : 0; }
    long GetC() override;

private:
    bool Alloc(size_t needed);

    BYTE* m_pBuffer;
    long m_Size;
    long m_Edge;  // allocated bytes
    long m_Position;
    bool m_bFreeOnClose;
};
