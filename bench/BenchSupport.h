// What several benchmarks share: a reporter that keeps each run's times, and the sparse
// thumbnail caches and catalogue rows of the large prepared catalogues.
#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/kordune/DBManagerOper.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbFile.h"

namespace benchsupport {

// Collects each benchmark's real and CPU time per iteration (seconds) while printing as usual.
class Collector : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    std::map<std::string, double> cpuSeconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (!r.error_occurred && r.iterations > 0) {
                seconds[r.run_name.function_name] = r.real_accumulated_time / static_cast<double>(r.iterations);
                cpuSeconds[r.run_name.function_name] = r.cpu_accumulated_time / static_cast<double>(r.iterations);
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

// A thumbnail cache of the three sizes in which only the first record, the record headers and
// the end marker are written; the larger records stay holes, which the loaders never read.
inline bool WriteSparseThumbCache(const std::string& cache, const std::vector<std::uint8_t>& level0) {
    const int fd = ::open(cache.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    auto put32 = [](unsigned char* p, std::int32_t v) { std::memcpy(p, &v, 4); };
    const std::int64_t b0 = thumbfile::Stride24(100) * 75, b1 = thumbfile::Stride24(300) * 225,
                       b2 = thumbfile::Stride24(500) * 375;
    unsigned char header[12];
    bool ok = true;
    put32(header, 100), put32(header + 4, 75), put32(header + 8, static_cast<std::int32_t>(b0));
    ok &= ::pwrite(fd, header, 12, 0) == 12;
    ok &= ::pwrite(fd, level0.data(), level0.size(), 12) == static_cast<ssize_t>(level0.size());
    put32(header, 300), put32(header + 4, 225), put32(header + 8, static_cast<std::int32_t>(b1));
    ok &= ::pwrite(fd, header, 12, 12 + b0) == 12;
    put32(header, 500), put32(header + 4, 375), put32(header + 8, static_cast<std::int32_t>(b2));
    ok &= ::pwrite(fd, header, 12, 24 + b0 + b1) == 12;
    ok &= ::pwrite(fd, "zomrak", 6, 36 + b0 + b1 + b2) == 6;
    ok &= ::close(fd) == 0;
    return ok;
}

// The catalogue row of a picture in album 1.
inline void InsertAlbumOneRow(CDBManagerOper& db, const std::string& key, const char* name,
                              const std::string& path) {
    db.InsUpDel(catalogue::FormatSql("insert into tbl_Itemlist(ClsID, AlbumID, KeywordID, Title, Filename, "
                                     "FullPath) values('%s', '?1', '', '', '%s', '%s')",
                                     key.c_str(), name, path.c_str())
                    .c_str());
}

}  // namespace benchsupport
