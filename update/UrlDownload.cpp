#include "update/UrlDownload.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <string>

namespace Pelloq {

namespace {

struct Transfer {
    FILE* file = nullptr;
    std::int64_t written = 0;
    std::int64_t maxBytes = 0;
    bool tooLarge = false;
    bool writeFailed = false;
    const std::function<void()>* idle = nullptr;
};

std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (t->written + static_cast<std::int64_t>(bytes) > t->maxBytes) {
        t->tooLarge = true;
        return 0;
    }
    if (std::fwrite(data, 1, bytes, t->file) != bytes) {
        t->writeFailed = true;
        return 0;
    }
    t->written += static_cast<std::int64_t>(bytes);
    return bytes;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (t->idle && *t->idle) (*t->idle)();
    return 0;
}

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void SetError(CString* error, const CString& text) {
    if (error) *error = text;
}

}  // namespace

int RemoveStaleDownloads(const CString& folder, std::int64_t olderThanSeconds) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) return 0;
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec) break;
        // The update folder is shallow; a deep tree is not ours to walk.
        if (it.depth() > 8) {
            it.disable_recursion_pending();
            continue;
        }
        const CString name = it->path().filename().string();
        const std::size_t mark = name.rfind(".part-");
        if (mark == CString::npos || mark == 0 || name.size() != mark + 12) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (now - st.st_mtime < olderThanSeconds) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

CString EncodeUrlPath(const CString& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    CString encoded;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~' || c == '/') {
            encoded.push_back(static_cast<char>(c));
        } else {
            encoded.push_back('%');
            encoded.push_back(kHex[c >> 4]);
            encoded.push_back(kHex[c & 0xF]);
        }
    }
    return encoded;
}

bool UrlDownloadToFile(const CString& url, const CString& path, const DownloadLimits& limits, CString* error) {
    InitCurlOnce();
    std::string temp = path + ".part-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        SetError(error, "cannot create " + temp);
        return false;
    }
    // mkstemp makes the file private to the user; the program's files are readable by all.
    ::fchmod(fd, 0644);
    Transfer transfer;
    transfer.file = ::fdopen(fd, "wb");
    if (!transfer.file) {
        ::close(fd);
        ::unlink(temp.c_str());
        SetError(error, "cannot write " + temp);
        return false;
    }
    transfer.maxBytes = limits.maxBytes;
    transfer.idle = &limits.idle;

    CURL* curl = curl_easy_init();
    CURLcode result = CURLE_FAILED_INIT;
    long status = 0;
    if (curl) {
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
        curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalMs);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
        // A proxy from the environment is fine for the real server, never for this machine.
        curl_easy_setopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "VimbroSuite LiveUpdate");
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, limits.idle ? 0L : 1L);
        result = curl_easy_perform(curl);
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        curl_easy_cleanup(curl);
    }

    bool ok = result == CURLE_OK && status >= 200 && status < 300;
    if (std::fflush(transfer.file) != 0) ok = false;
    if (ok && ::fsync(::fileno(transfer.file)) != 0) ok = false;
    if (std::fclose(transfer.file) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        SetError(error, "cannot rename " + temp + " to " + path);
        ::unlink(temp.c_str());
        return false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        if (transfer.tooLarge)
            SetError(error, "more than " + std::to_string(limits.maxBytes) + " bytes");
        else if (transfer.writeFailed)
            SetError(error, "cannot write " + temp);
        else if (result != CURLE_OK)
            SetError(error, curl_easy_strerror(result));
        else
            SetError(error, "HTTP status " + std::to_string(status));
        return false;
    }
    return true;
}

}  // namespace Pelloq
