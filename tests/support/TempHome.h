// Points VIMBRO_HOME, HOME and XDG_CONFIG_HOME at fresh temporary folders for one test and
// removes them afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace testsupport {

class TempHome {
public:
    TempHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vimbro-test-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        root_ = made ? made : pattern;
        run_ = root_ + "/run/";
        home_ = root_ + "/home";
        config_ = root_ + "/home/.config";
        std::filesystem::create_directories(run_);
        std::filesystem::create_directories(config_);
        Save("VIMBRO_HOME", savedRun_);
        Save("HOME", savedHome_);
        Save("XDG_CONFIG_HOME", savedConfig_);
        ::setenv("VIMBRO_HOME", run_.c_str(), 1);
        ::setenv("HOME", home_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    }
    ~TempHome() {
        Restore("VIMBRO_HOME", savedRun_);
        Restore("HOME", savedHome_);
        Restore("XDG_CONFIG_HOME", savedConfig_);
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& root() const { return root_; }
    const std::string& runDir() const { return run_; }  // with a trailing "/"
    const std::string& home() const { return home_; }
    const std::string& config() const { return config_; }

    // Writes a file (creating its folders) and returns its path.
    std::string Write(const std::string& path, const std::string& contents) const {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(path, std::ios::binary);
        out << contents;
        return path;
    }

private:
    struct Saved {
        bool present = false;
        std::string value;
    };
    static void Save(const char* name, Saved& saved) {
        const char* v = std::getenv(name);
        saved.present = v != nullptr;
        saved.value = v ? v : "";
    }
    static void Restore(const char* name, const Saved& saved) {
        if (saved.present) ::setenv(name, saved.value.c_str(), 1);
        else ::unsetenv(name);
    }

    std::string root_, run_, home_, config_;
    Saved savedRun_, savedHome_, savedConfig_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testsupport
