// Fetching one file over HTTP into the local file system (libcurl standing in for
// URLDownloadToFile). The server is an outside party: everything it sends is bounded.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/win/windef.h"

namespace Pelloq {

struct DownloadLimits {
    long connectMs = 5000;   // name lookup and connection
    long totalMs = 120000;   // the whole transfer
    long stallSeconds = 15;  // less than one byte a second for this long ends it
    std::int64_t maxBytes = 256LL << 20;
    // All the downloads of one update check together: a server that sends every file just fast
    // enough to pass the limits above cannot hold the program up for longer than this.
    long wholeCheckMs = 15 * 60 * 1000;
    // Called now and then while the transfer runs, so a window can repaint meanwhile.
    std::function<void()> idle;
};

// Downloads url to path. The body goes to a temporary file beside path, which is renamed to
// path only when the transfer ended complete with a 2xx status; on any failure nothing is
// left behind and an existing file at path stays as it was. Redirects are followed (HTTP and
// HTTPS only). error, when given, receives a short reason.
bool UrlDownloadToFile(const CString& url, const CString& path, const DownloadLimits& limits, CString* error = nullptr);

// Removes the temporary files of downloads that were cut off by a killed process: files below
// folder named "<name>.part-XXXXXX" that were last written longer ago than any transfer may
// take. Returns how many went.
int RemoveStaleDownloads(const CString& folder, std::int64_t olderThanSeconds = 600);

// Percent-encodes a relative path for a URL; "/" separates its components and stays as is.
CString EncodeUrlPath(const CString& path);

}  // namespace Pelloq
