// CxIOFile: a CxFile over a C stdio file.
#pragma once

#include <cstdio>

#include "platform/pavix/xfile.h"

class CxIOFile : public CxFile {
public:
    explicit CxIOFile(FILE* fp = nullptr) : m_fp(fp), m_bCloseFile(fp == nullptr) {}
    ~CxIOFile() override { Close(); }
    CxIOFile(const CxIOFile&) = delete;
    CxIOFile& operator=(const CxIOFile&) = delete;

    bool Open(const char* filename, const char* mode);
    bool Close() override;
    size_t Read(void* buffer, size_t size, size_t count) override;
    size_t Write(const void* buffer, size_t size, size_t count) override;
    bool Seek(long offset, int origin) override;
    long Tell() override;
    long Size() override;
    bool Flush() override;
    bool Eof() override;
    long Error() override;
    long GetC() override;
    FILE* GetFile() const { return m_fp; }

private:
    FILE* m_fp;
    bool m_bCloseFile;
};
