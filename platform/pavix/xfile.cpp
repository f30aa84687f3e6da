// CxIOFile and CxMemFile.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/pavix/xiofile.h"
#include "platform/pavix/xmemfile.h"

// ---------------------------------------------------------------------------------------------------
// CxIOFile

bool CxIOFile::Open(const char* filename, const char* mode) {
    if (m_fp) return false;
    m_fp = std::fopen(filename, mode);
    m_bCloseFile = true;
    return m_fp != nullptr;
}

bool CxIOFile::Close() {
    int err = 0;
    if (m_fp && m_bCloseFile) err = std::fclose(m_fp);
    m_fp = nullptr;
    return err == 0;
}

size_t CxIOFile::Read(void* buffer, size_t size, size_t count) {
    return m_fp ? std::fread(buffer, size, count, m_fp) : 0;
}

size_t CxIOFile::Write(const void* buffer, size_t size, size_t count) {
    return m_fp ? std::fwrite(buffer, size, count, m_fp) : 0;
}

bool CxIOFile::Seek(long offset, int origin) {
    return m_fp && std::fseek(m_fp, offset, origin) == 0;
}

long CxIOFile::Tell() {
    return m_fp ? std::ftell(m_fp) : 0;
}

long CxIOFile::Size() {
    if (!m_fp) return -1;
    long pos = std::ftell(m_fp);
    std::fseek(m_fp, 0, SEEK_END);
    long size = std::ftell(m_fp);
    std::fseek(m_fp, pos, SEEK_SET);
    return size;
}

bool CxIOFile::Flush() {
    return m_fp && std::fflush(m_fp) == 0;
}

bool CxIOFile::Eof() {
    return !m_fp || std::feof(m_fp) != 0;
}

long CxIOFile::Error() {
    return m_fp ? std::ferror(m_fp) : -1;
}

long CxIOFile::GetC() {
    return m_fp ? std::getc(m_fp) : -1;
}

// ---------------------------------------------------------------------------------------------------
// CxMemFile

CxMemFile::CxMemFile(BYTE* pBuffer, DWORD size)
    : m_pBuffer(pBuffer),
      m_Size(static_cast<long>(size)),
      m_Edge(m_Size),
      m_Position(0),
      m_bFreeOnClose(pBuffer == nullptr) {}

CxMemFile::~CxMemFile() {
    Close();
}

bool CxMemFile::Open() {
    if (m_pBuffer) return false;
    m_Position = m_Size = m_Edge = 0;
    m_bFreeOnClose = true;
    return Alloc(1);
}

bool CxMemFile::Close() {
    if (m_pBuffer && m_bFreeOnClose) std::free(m_pBuffer);
    m_pBuffer = nullptr;
    m_Size = m_Edge = m_Position = 0;
    return true;
}

BYTE* CxMemFile::GetBuffer(bool bDetachBuffer) {
    if (bDetachBuffer) m_bFreeOnClose = false;
    return m_pBuffer;
}

bool CxMemFile::Alloc(size_t needed) {
    if (needed <= static_cast<size_t>(m_Edge)) return true;
    if (!m_bFreeOnClose && m_pBuffer) return false;  // a borrowed block cannot grow
    if (needed > static_cast<size_t>(LONG_MAX)) return false;
    size_t edge = std::max<size_t>(needed, static_cast<size_t>(m_Edge) * 2);
    edge = std::max<size_t>(edge, 4096);
    if (edge > static_cast<size_t>(LONG_MAX)) edge = LONG_MAX;
    BYTE* grown = static_cast<BYTE*>(std::realloc(m_pBuffer, edge));
    if (!grown) return false;
    m_pBuffer = grown;
    m_Edge = static_cast<long>(edge);
    return true;
}

size_t CxMemFile::Read(void* buffer, size_t size, size_t count) {
    if (!m_pBuffer || !buffer || size == 0 || m_Position >= m_Size) return 0;
    size_t available = static_cast<size_t>(m_Size - m_Position);
    size_t items = std::min(count, available / size);
    std::memcpy(buffer, m_pBuffer + m_Position, items * size);
    m_Position += static_cast<long>(items * size);
    return items;
}

size_t CxMemFile::Write(const void* buffer, size_t size, size_t count) {
    if (!m_pBuffer || !buffer || size == 0 || count == 0) return 0;
    if (count > static_cast<size_t>(LONG_MAX) / size) return 0;
    size_t bytes = size * count;
    size_t end = static_cast<size_t>(m_Position) + bytes;
    if (!Alloc(end)) return 0;
    std::memcpy(m_pBuffer + m_Position, buffer, bytes);
    m_Position = static_cast<long>(end);
    if (m_Position > m_Size) m_Size = m_Position;
    return count;
}

bool CxMemFile::Seek(long offset, int origin) {
    long base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? m_Position : m_Size;
    long target = base + offset;
    if (target < 0) return false;
    if (target > m_Size) {
        if (!Alloc(static_cast<size_t>(target))) return false;
        std::memset(m_pBuffer + m_Size, 0, static_cast<size_t>(target - m_Size));
        m_Size = target;
    }
    m_Position = target;
    return true;
}

long CxMemFile::GetC() {
    if (!m_pBuffer || m_Position >= m_Size) return -1;
    return m_pBuffer[m_Position++];
}
