#include "platform/win/runfolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/win/fileapi.h"

namespace win {

namespace {

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string VimbroHome() {
    const char* home = std::getenv("VIMBRO_HOME");
    return home && *home ? WithSlash(home) : std::string();
}

// mkdir -p; true when the folder exists afterwards.
bool MakeFolders(const std::string& path) {
    for (std::size_t at = 1; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return DirectoryExists(path);
}

}  // namespace

std::string ProgramFolder() {
    std::vector<char> buffer(4096);
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return "./";
    std::string exe(buffer.data(), static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

std::string UserDataFolder() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        base = WithSlash(home) + ".local/share";
    } else {
        return {};
    }
    return WithSlash(base) + kUserFolderName + "/";
}

bool PrepareUserFolder(const std::string& programFolder, const std::string& userFolder) {
    if (userFolder.empty() || !MakeFolders(userFolder)) return false;
    const std::string source = WithSlash(programFolder) + "data/";
    const std::string target = WithSlash(userFolder) + "data/";
    if (!MakeFolders(target)) return false;
    // A link left by an older installation whose model file has gone would only dangle.
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(target, ec)) {
        struct stat info {};
        if (entry.is_symlink(ec) && ::stat(entry.path().c_str(), &info) != 0) ::unlink(entry.path().c_str());
    }
    for (const std::string& name : ListFiles(source)) {
        const std::string path = target + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0) continue;  // linked before, or the user's own file
        // A link follows the installed file through upgrades; where links are refused, a copy.
        if (::symlink((source + name).c_str(), path.c_str()) != 0) CopyFile(source + name, path, true);
    }
    return true;
}

std::string ResolveRunFolder(const std::string& programFolder) {
    if (std::string home = VimbroHome(); !home.empty()) return home;
    const std::string folder = WithSlash(programFolder);
    if (!FileExists(folder + kInstalledMarker)) return folder;
    const std::string user = UserDataFolder();
    PrepareUserFolder(folder, user);
    return user.empty() ? folder : user;
}

std::string RunFolder() {
    if (std::string home = VimbroHome(); !home.empty()) return home;
    static const std::string folder = ResolveRunFolder(ProgramFolder());
    return folder;
}

}  // namespace win
