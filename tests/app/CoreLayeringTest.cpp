// The core libraries and the catalogue logic run without a display: none of them may link the
// widget library or include one of its headers.
#include <gtest/gtest.h>

#include <QLibraryInfo>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "app/GuiHelpers.h"
#include "common/Gandry.h"
#include "tests/support/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n;
    while ((n = ::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

// The libraries a shared object names in its dynamic section.
std::vector<std::string> Needed(const std::string& library) {
    std::vector<std::string> names;
    const std::string dump = Run("readelf -d '" + library + "' 2>/dev/null");
    static const std::regex needed(R"(\(NEEDED\)\s+Shared library: \[([^\]]+)\])");
    for (auto it = std::sregex_iterator(dump.begin(), dump.end(), needed); it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1]);
    return names;
}

// Headers of a source file included with angle brackets.
std::vector<std::string> SystemIncludes(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::vector<std::string> headers;
    static const std::regex include(R"(^\s*#\s*include\s*<([^>]+)>)");
    std::smatch m;
    while (std::getline(in, line))
        if (std::regex_search(line, m, include)) headers.push_back(m[1]);
    return headers;
}

bool IsWidgetHeader(const std::string& header, const fs::path& widgetsDir) {
    if (header.rfind("QtWidgets", 0) == 0) return true;
    return header.find('/') == std::string::npos && fs::exists(widgetsDir / header);
}

std::vector<fs::path> CoreSources() {
    const fs::path root = VIMBRO_SOURCE_DIR;
    std::vector<fs::path> files;
    auto addTree = [&](const fs::path& dir) {
        if (!fs::exists(dir)) return;
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            if (entry.is_regular_file()) files.push_back(entry.path());
    };
    addTree(root / "common");
    addTree(root / "imaging");
    addTree(root / "platform");
    // The catalogue logic beside the browser window.
    for (const char* prefix : {"CatalogueFiles", "CatalogueRows", "CatalogueStore", "NameRules", "OrderedParallel",
                               "ThumbCatalogue", "ThumbFile", "ThumbGrid", "vxImage"}) {
        for (const auto& entry : fs::directory_iterator(root / "views" / "catalogue"))
            if (entry.path().filename().string().rfind(prefix, 0) == 0) files.push_back(entry.path());
    }
    return files;
}

}  // namespace

TEST(CoreLayering, CoreLibrariesLinkNoWidgetLibrary) {
    const std::string bin = testsupport::BinDir();
    int checked = 0;
    for (const char* lib : {"libGandry.so", "libVornic.so", "libPavix.so", "libKordune.so", "libwinplat.so",
                            "libafx.so", "libLurvane.so", "libbrelt.so"}) {
        const std::string path = bin + lib;
        if (!fs::exists(path)) {
            // These four and the platform basics are always built.
            EXPECT_TRUE(std::string(lib) == "libLurvane.so" || std::string(lib) == "libbrelt.so") << path;
            continue;
        }
        const auto needed = Needed(path);
        EXPECT_FALSE(needed.empty()) << "readelf found no dynamic section in " << path;
        for (const auto& name : needed)
            EXPECT_EQ(name.find("Qt6Widgets"), std::string::npos) << lib << " needs " << name;
        ++checked;
    }
    EXPECT_GE(checked, 6);
}

TEST(CoreLayering, CoreSourcesIncludeNoWidgetHeader) {
    const fs::path widgetsDir = fs::path(QLibraryInfo::path(QLibraryInfo::HeadersPath).toStdString()) / "QtWidgets";
    ASSERT_TRUE(fs::exists(widgetsDir / "QWidget")) << widgetsDir;
    const auto files = CoreSources();
    ASSERT_GT(files.size(), 20u);
    for (const auto& file : files) {
        const std::string ext = file.extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        for (const auto& header : SystemIncludes(file))
            EXPECT_FALSE(IsWidgetHeader(header, widgetsDir)) << file << " includes <" << header << ">";
    }
}

TEST(CoreLayering, FileDialogGoesThroughTheInstalledHandler) {
    CStringList files = {"stale"};
    // Nothing installed: nothing chosen, the list emptied.
    auto previous = CGandry::SetFileDialogHandler(nullptr);
    EXPECT_EQ(CGandry::ShowFileDialog(&files, "All Files (*.*)|*.*||", 1), 0);
    EXPECT_TRUE(files.empty());

    std::string seenFilter;
    CGandry::SetFileDialogHandler([&](CStringList* out, const CString& filter, int bOpen) {
        seenFilter = filter;
        out->push_back("/a.jpg");
        return bOpen;
    });
    EXPECT_EQ(CGandry::ShowFileDialog(&files, "GIF Files (*.gif)|*.gif||", 1), 1);
    EXPECT_EQ(seenFilter, "GIF Files (*.gif)|*.gif||");
    EXPECT_EQ(files, CStringList{"/a.jpg"});
    CGandry::SetFileDialogHandler(previous);
}

TEST(CoreLayering, ImportFilterBecomesQtFilterEntries) {
    EXPECT_EQ(QtFileFilter("Image Files (*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif|Bitmap Files (*.bmp)|*.bmp|"
                           "JPEG Files (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF Files (*.gif)|*.gif|All Files (*.*)|*.*||"),
              QStringLiteral("Image Files (*.bmp *.jpg *.gif);;Bitmap Files (*.bmp);;JPEG Files (*.jpg *.jpeg);;"
                             "GIF Files (*.gif);;All Files (*.*)"));
    EXPECT_EQ(QtFileFilter(""), QString());
}
