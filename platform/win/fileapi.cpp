#include "platform/win/fileapi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace win {
namespace {

std::string TempNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".part." + std::to_string(::getpid()) + "." + std::to_string(counter++);
}

// Copies src into a new file tmp; true when every byte is written and synced.
bool CopyInto(const std::string& src, const std::string& tmp) {
    int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    int out = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        if (!WriteAll(out, buffer, static_cast<std::size_t>(n))) {
            ok = false;
            break;
        }
    }
    if (ok && ::fsync(out) != 0) ok = false;
    ::close(in);
    if (::close(out) != 0) ok = false;
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

// Renames without ever replacing an existing target; 0 or the error. Where the file system
// cannot promise that (no RENAME_NOREPLACE and no hard links, as on vfat and some network file
// systems) the target is checked just before an ordinary rename.
int RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK) return errno;
    if (PathExists(to)) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

bool CopyFile(const std::string& src, const std::string& dst, bool failIfExists) {
    if (src.empty() || dst.empty()) return false;
    if (failIfExists && PathExists(dst)) return false;
    std::string tmp = TempNameBeside(dst);
    if (!CopyInto(src, tmp)) return false;
    // The copy keeps the source's last-write time, as the Windows CopyFile does: item keys and
    // dates name the picture's own time, not the moment it was copied.
    struct stat st {};
    if (::stat(src.c_str(), &st) == 0) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
        ::utimensat(AT_FDCWD, tmp.c_str(), times, 0);
    }
    const bool ok = failIfExists ? RenameNoReplace(tmp, dst) == 0 : ::rename(tmp.c_str(), dst.c_str()) == 0;
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

bool MoveFile(const std::string& src, const std::string& dst) {
    if (src.empty() || dst.empty() || !PathExists(src) || PathExists(dst)) return false;
    const int error = RenameNoReplace(src, dst);
    if (error == 0) return true;
    if (error != EXDEV) return false;
    if (!CopyFile(src, dst, true)) return false;
    return ::unlink(src.c_str()) == 0;
}

bool DeleteFile(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(path.c_str()) == 0;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectory(const std::string& path) {
    if (path.empty()) return false;
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    return errno == EEXIST && DirectoryExists(path);
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    // The Windows file search lets a closing ".*" match the end of a name as well, so "*.*"
    // lists names without an extension too.
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
        WildcardMatch(pattern.substr(0, pattern.size() - 2), name))
        return true;
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<FindData> FindFiles(const std::string& folder, const std::string& pattern) {
    std::vector<FindData> result;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.empty() ? std::string(".") : folder, ec);
    if (ec) return result;
    for (const auto& entry : it) {
        std::string name = entry.path().filename().string();
        if (name == "." || name == ".." || !WildcardMatch(pattern, name)) continue;
        struct stat st {};
        if (::stat(entry.path().c_str(), &st) != 0) continue;
        FindData fd;
        fd.name = name;
        fd.isDirectory = S_ISDIR(st.st_mode);
        fd.size = fd.isDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
        fd.lastWriteTime = static_cast<std::int64_t>(st.st_mtime);
        result.push_back(std::move(fd));
    }
    std::sort(result.begin(), result.end(), [](const FindData& a, const FindData& b) { return a.name < b.name; });
    return result;
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    for (const auto& fd : FindFiles(folder, pattern)) {
        if (!fd.isDirectory) names.push_back(fd.name);
    }
    return names;
}

std::uint64_t GetDiskFreeBytes(const std::string& path) {
    struct statvfs vfs {};
    if (::statvfs(path.empty() ? "." : path.c_str(), &vfs) != 0) return 0;
    return static_cast<std::uint64_t>(vfs.f_bavail) * static_cast<std::uint64_t>(vfs.f_frsize);
}

bool GetFileTimeAndSize(const std::string& path, std::int32_t& lastWrite, std::int32_t& size) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    lastWrite = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(st.st_mtime)));
    size = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(st.st_size)));
    return true;
}

bool ReadFile(const std::string& path, std::string& contents) {
    return ReadFile(path, contents, UINT64_MAX);
}

bool ReadFile(const std::string& path, std::string& contents, std::uint64_t maxBytes, bool* tooLarge) {
    contents.clear();
    if (tooLarge) *tooLarge = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    auto refuse = [&] {
        ::close(fd);
        contents.clear();
        if (tooLarge) *tooLarge = true;
        return false;
    };
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) return refuse();
    contents.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            contents.clear();
            return false;
        }
        if (n == 0) break;
        // The file may grow while it is read.
        if (contents.size() + static_cast<std::uint64_t>(n) > maxBytes) return refuse();
        contents.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

bool ReplaceFileAtomic(const std::string& path, const std::function<bool(const std::string& temp)>& write, bool flush) {
    const std::string tmp = TempNameBeside(path);
    bool ok = write(tmp);
    if (ok && flush) {
        const int fd = ::open(tmp.c_str(), O_RDONLY | O_CLOEXEC);
        ok = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0) ::close(fd);
    }
    if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

bool WriteFileAtomic(const std::string& path, const std::string& contents) {
    return ReplaceFileAtomic(path, [&contents](const std::string& tmp) {
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        bool ok = WriteAll(fd, contents.data(), contents.size());
        if (::close(fd) != 0) ok = false;
        return ok;
    });
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadExact(int fd, void* buffer, std::size_t size, std::int64_t offset) {
    auto* p = static_cast<char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::pread(fd, p, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

void FileCloser::operator()(std::FILE* file) const {
    if (file) std::fclose(file);
}

}  // namespace win
