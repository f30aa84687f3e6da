#include "views/controls/Log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "common/Gandry.h"

namespace {

struct Stamp {
    int month = 0, day = 0, hour = -1, minute = -1, second = -1;
};

Stamp Now() {
    Stamp s;
    std::time_t t = std::time(nullptr);
    std::tm local {};
    if (localtime_r(&t, &local)) {
        s.month = local.tm_mon + 1;
        s.day = local.tm_mday;
        s.hour = local.tm_hour;
        s.minute = local.tm_min;
        s.second = local.tm_sec;
    }
    return s;
}

}  // namespace

CLog::CLog() {
    CString folder = CGandry::GetRunDir();
    if (!folder.empty() && folder.back() == '/') folder.pop_back();
    std::memset(m_szPath, 0, sizeof m_szPath);
    if (folder.size() < sizeof m_szPath) std::memcpy(m_szPath, folder.data(), folder.size());
    else m_bTooLong = true;
}

CLog::~CLog() = default;

void CLog::CreateFileA(const char* name) {
    const char* file = name ? name : "log.o";
    std::size_t used = std::strlen(m_szPath);
    std::size_t add = 1 + std::strlen(file);
    if (m_bTooLong || used + add >= sizeof m_szPath) {
        m_bTooLong = true;
        return;
    }
    m_szPath[used] = '/';
    std::memcpy(m_szPath + used + 1, file, add - 1);
    m_szPath[used + add] = '\0';

    std::FILE* f = std::fopen(m_szPath, "w");
    if (!f) return;
    Stamp s = Now();
    std::fprintf(f, "Log file started %2d월 %2d일 %2d시 %2d분 %2d초", s.month, s.day, s.hour, s.minute, s.second);
    std::fputs("\n\n", f);
    std::fclose(f);
}

void CLog::LogString(const char* format, ...) {
    if (m_bTooLong || !format) return;
    char text[kTextBytes];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    std::FILE* f = std::fopen(m_szPath, "a");
    if (!f) return;
    if (text[0] == ' ') {
        std::fputs("\n", f);
    } else {
        Stamp s = Now();
        std::fprintf(f, "-> %2d시 %2d분 %2d초: %s\n", s.hour, s.minute, s.second, text);
    }
    std::fclose(f);
}

void CLog::Print(const unsigned char* data, int length) {
    if (m_bTooLong) return;
    std::FILE* f = std::fopen(m_szPath, "a");
    if (!f) return;
    for (int i = 0; data && i < length; ++i) {
        if (i > 0 && i % 16 == 0) std::fputs("\n", f);
        std::fprintf(f, " %02X", data[i]);
    }
    std::fputs("\n", f);
    std::fclose(f);
}
