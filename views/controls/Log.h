// CLog: time-stamped text lines and hex dumps appended to a log file in the program's folder.
// The file is opened and closed on every call.
#pragma once

class CLog {
public:
    static constexpr int kPathBytes = 256;
    static constexpr int kTextBytes = 1024;

    CLog();
    ~CLog();

    // Starts the log file (truncating it); a null name means "log.o".
    void CreateFileA(const char* name);
    void LogString(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Print(const unsigned char* data, int length);

    const char* GetPath() const { return m_szPath; }

private:
    char m_szPath[kPathBytes];
    // Set when a name did not fit the path buffer: writes are then skipped rather than sent to
    // a cut-off path.
    bool m_bTooLong = false;
};
