// Shared set-up of the catalogue tests: a fresh program folder and documents folder, the
// catalogue database, a browser, a recording main window and scripted message boxes, and
// pictures made on the spot.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "imaging/extImage.h"
#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/fileapi.h"
#include "tests/support/TempHome.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/vxImage.h"

namespace cattest {

// Records the messages the browser sends to the main window.
class RecordingWindow : public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        messages.emplace_back(message, wParam);
        return 0;
    }
    std::vector<std::pair<UINT, WPARAM>> Only(UINT message) const {
        std::vector<std::pair<UINT, WPARAM>> found;
        for (const auto& m : messages) {
            if (m.first == message) found.push_back(m);
        }
        return found;
    }
    std::vector<std::pair<UINT, WPARAM>> messages;
};

// A 24-bit picture with a pattern that differs per seed; saved in the given format.
inline bool MakePicture(const std::string& path, int width, int height, DWORD type, int seed = 0) {
    extImage image;
    if (!image.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 24, type)) return false;
    for (int y = 0; y < height; ++y) {
        BYTE* row = image.GetBits(static_cast<DWORD>(y));
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<BYTE>((x * 255) / std::max(1, width - 1));
            row[x * 3 + 1] = static_cast<BYTE>((y * 255) / std::max(1, height - 1));
            row[x * 3 + 2] = static_cast<BYTE>(seed * 37);
        }
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return image.Save(path.c_str(), type);
}

// An 8-bit paletted picture.
inline bool MakePalettePicture(const std::string& path, int width, int height, DWORD type) {
    extImage image;
    if (!image.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 8, type)) return false;
    image.SetGrayPalette();
    for (int y = 0; y < height; ++y) {
        BYTE* row = image.GetBits(static_cast<DWORD>(y));
        for (int x = 0; x < width; ++x) row[x] = static_cast<BYTE>((x + y) & 0xFF);
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return image.Save(path.c_str(), type);
}

// Sets a file's last-write time.
inline void SetTime(const std::string& path, long seconds) {
    struct utimbuf times {};
    times.actime = seconds;
    times.modtime = seconds;
    ::utime(path.c_str(), &times);
}

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() {
        AfxSetMainWnd(&window);
        photo = catalogue::PhotoFolder();
        thumbs = catalogue::ThumbFolder();
        db = std::make_unique<CDBManagerOper>(catalogue::CatalogueFile());
        view = std::make_unique<CThumbCatalogue>();
        view->SetDBConnect(db.get());
        view->SetSliderSize(8);
        view->SetClientSize(600, 400);
    }
    ~CatalogueTest() override {
        view.reset();
        db.reset();
        AfxSetMainWnd(nullptr);
    }

    // A picture in the photo folder.
    std::string Photo(const std::string& name, int width = 64, int height = 48, int seed = 0) {
        const std::string path = photo + "/" + name;
        EXPECT_TRUE(MakePicture(path, width, height, catalogue::TypeOfName(name), seed)) << path;
        return path;
    }
    // A picture outside the catalogue, to import.
    std::string Outside(const std::string& name, int width = 64, int height = 48, int seed = 0) {
        const std::string path = home.root() + "/outside/" + name;
        EXPECT_TRUE(MakePicture(path, width, height, catalogue::TypeOfName(name), seed)) << path;
        return path;
    }

    // Rows of the item table as "ClsID|AlbumID|KeywordID|Title|Filename|OriginalPath", sorted.
    std::vector<std::string> Rows() {
        db->ExcuteQry("select ClsID, AlbumID, KeywordID, Title, Filename, OriginalPath from tbl_Itemlist");
        std::vector<std::string> rows;
        for (int r = 0; r < db->m_nRowCount; ++r) {
            std::string line;
            for (int c = 0; c < 6; ++c) line += (c ? "|" : "") + db->GetData(c, r);
            rows.push_back(line);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    std::string Column(const std::string& column, const std::string& filename) {
        db->ExcuteQry(
            ("select " + column + " from tbl_Itemlist where Filename = '" + catalogue::Quote(filename) + "'").c_str());
        return db->m_nRowCount >= 1 ? db->GetData(0, 0) : "<no row>";
    }
    int RowCount() {
        db->ExcuteQry("select ClsID from tbl_Itemlist");
        return db->m_nRowCount;
    }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (vxImage* item : view->GetList()) names.push_back(item->m_strFilename);
        return names;
    }
    vxImage* Item(const std::string& name) {
        for (vxImage* item : view->GetList()) {
            if (item->m_strFilename == name) return item;
        }
        return nullptr;
    }
    void Select(std::initializer_list<std::string> names) {
        for (vxImage* item : view->GetVector()) item->m_bSelected = 0;
        for (const std::string& n : names) {
            vxImage* item = Item(n);
            ASSERT_NE(item, nullptr) << n;
            item->m_bSelected = 1;
        }
    }
    std::vector<std::string> PhotoFiles() {
        std::vector<std::string> names = win::ListFiles(photo);
        return names;
    }
    std::vector<std::string> ThumbFiles() { return win::ListFiles(thumbs); }

    testsupport::TempHome home;
    RecordingWindow window;
    CMessageBoxResponder boxes;
    std::string photo;
    std::string thumbs;
    std::unique_ptr<CDBManagerOper> db;
    std::unique_ptr<CThumbCatalogue> view;
};

}  // namespace cattest
