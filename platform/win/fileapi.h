// File helpers standing in for the Win32 file functions (CopyFile, MoveFile, DeleteFile,
// FindFirstFile, GetDiskFreeSpaceEx, GetFileTime/GetFileSize). Paths use "/".
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace win {

// Copies src to dst. With failIfExists the copy fails when dst exists (decided atomically);
// otherwise dst is replaced. The target appears only when complete, with the source's
// last-write time.
bool CopyFile(const std::string& src, const std::string& dst, bool failIfExists);

// Renames src to dst; fails when dst exists. Falls back to copy + delete across file systems.
bool MoveFile(const std::string& src, const std::string& dst);

bool DeleteFile(const std::string& path);

// True when a file or folder of that name exists.
bool PathExists(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Creates one folder; true when it exists afterwards.
bool CreateDirectory(const std::string& path);

struct FindData {
    std::string name;            // the entry's name without its folder
    bool isDirectory = false;
    std::uint64_t size = 0;
    std::int64_t lastWriteTime = 0;  // seconds since 1970
};

// Entries of a folder whose names match a pattern with "*" and "?" (case-insensitive, as
// FindFirstFile matches), sorted by name; "." and ".." are left out.
std::vector<FindData> FindFiles(const std::string& folder, const std::string& pattern = "*");

// Only the regular files among FindFiles.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern = "*");

// Bytes of the file system holding path that the caller may use; 0 when unknown.
std::uint64_t GetDiskFreeBytes(const std::string& path);

// Last-write time (seconds since 1970) and size of a file, each in its low 32 bits, as the
// catalogue key takes them. False when the file cannot be examined.
bool GetFileTimeAndSize(const std::string& path, std::int32_t& lastWrite, std::int32_t& size);

// Whole file contents; false when the file cannot be read.
bool ReadFile(const std::string& path, std::string& contents);
// The same for a file of at most maxBytes; a larger one is refused before anything is read
// (and *tooLarge, when given, says so).
bool ReadFile(const std::string& path, std::string& contents, std::uint64_t maxBytes, bool* tooLarge = nullptr);

// Replaces path in one step: `write` makes a new file under the temporary name it is given (in
// the same folder), which is then renamed over path, so a reader never sees half a file. With
// `flush` the new file reaches the disk before the rename, so even a power cut leaves the old file
// or the new one; a cache that is rebuilt when lost can skip that cost. When `write` or anything
// after it fails, path is left as it was and the temporary is removed.
bool ReplaceFileAtomic(const std::string& path, const std::function<bool(const std::string& temp)>& write,
                       bool flush = true);

// ReplaceFileAtomic with the whole contents at hand; flushed.
bool WriteFileAtomic(const std::string& path, const std::string& contents);

// Writes all of data, going on after short writes and interruptions; false on an error.
bool WriteAll(int fd, const void* data, std::size_t size);

// Reads exactly size bytes at offset (the descriptor's position is not used); false on an error
// or when the file ends first.
bool ReadExact(int fd, void* buffer, std::size_t size, std::int64_t offset);

// Closes a C stream when its owner goes.
struct FileCloser {
    void operator()(std::FILE* file) const;
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Case-insensitive wildcard match with "*" and "?"; a closing ".*" also matches a name's end.
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace win
