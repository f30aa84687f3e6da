// CGandry: the phone model catalogue, the settings every part of the program shares, and the
// small file, path, name, text and geometry helpers. A class of static members only.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>

#include "platform/win/filetype.h"
#include "platform/win/verinfo.h"
#include "platform/win/windef.h"

class QImage;
class QRegion;

enum MODEL_SELECT : std::int32_t {
    MODEL_PM00 = 0,
    MODEL_PM65 = 65,
    MODEL_NONE = 66,
    MODEL_USER_DEFINED = 67,
};

enum SHOW_MODE : std::int32_t {
    SHOW_MODE_0 = 0,
    SHOW_MODE_1 = 1,
    SHOW_MODE_2 = 2,
};

enum SORT_ORDER : std::int32_t {
    SORT_ORDER_0 = 0,
    SORT_ORDER_1 = 1,
};

// One table model; copied whole between the libraries and the program, so the field order and
// widths are fixed.
struct ModelAttribute_t {
    std::int32_t nModelID;
    char szModelName[12];
    CSize sizePhonebook[4];
    CSize sizePicture[4];
};
static_assert(sizeof(ModelAttribute_t) == 4 + 12 + 32 + 32);

// The user-defined model.
struct ModelAttribute_QVP4_t {
    std::int32_t nModelID = 67;
    CString strModelName;
    std::list<CSize> listPhonebookSize;
    std::list<CSize> listPictureSize;
};

class CGandry {
public:
    static constexpr int kTableModelCount = 66;
    static constexpr const char* kUserModelName = "사용자 정의";

    // Shared settings: zero until the program loads them at start.
    static MODEL_SELECT m_enumModel;
    static SHOW_MODE m_enumShow;
    static SORT_ORDER m_enumOrder;
    static COLORREF m_crBackground;
    static BOOL m_bAutoUpgrade;

    // Model catalogue.
    static void GetModelAttribute(ModelAttribute_t** out);  // caller frees with free()
    static void GetQVP4Attribute(ModelAttribute_QVP4_t& rec);
    static CString GetModelnameByModelID(int id);
    static int GetModelIDByModelname(CString name);
    static ModelAttribute_t GetModelInfoByModelndex(int id);
    static CString GetDatafilenameByModleID(MODEL_SELECT id);
    static void GetPhonebookSize(MODEL_SELECT id, int selector, CSize& size);
    static CSize GetSizeByModelID_Index(int id, int index);
    static int GetIndexByModelID_Size(int id, CSize size);
    static void GetSupportModel(CStringList* list);
    static MODEL_SELECT GetModel();
    static COLORREF GetColorBack();

    // Folders.
    static CString GetRunDir();
    static CString GetDocumentPath();

    // Names and paths.
    static CString FindExtension(const CString& name);
    static CString FindFilename(const CString& path, int bName);
    // The FILETYPE_* code of a lower-case extension (platform/win/filetype.h), FILETYPE_UNKNOWN for others.
    static int FindType(const CString& ext);
    static int CheckFileSpecialChar(CString text);
    static int IsExistFileName(const CString& folder, const CString& base, const CString& ext);
    static CString GetUniqueName(const CString& folder, const CString& base, const CString& ext, int& counter);
    static CString GetNextFileName(CString path);
    static void CreateParentPath(CString path, int levels);

    // Free space: 1 when the program's file system has too little room, that is fewer than
    // 500,000,000 bytes free for the user, else 0.
    static int IsEmptySpace();
    // The same decision for a given number of free bytes.
    static int IsEmptySpaceFor(std::uint64_t freeBytes);

    // Texts.
    static CString GetKBFromStr(int bytes);
    static CString GetFixedQoute(CString& text);
    static int get_id_count_fromstr(CString list);
    static CString get_new_stringid_except(int id, CString list);
    static void GetHanguleCount(const unsigned char* text, int length, int& count);

    // Geometry.
    static void CalcThumbSize(int* size, int* box, int* out);
    static CSize CalcDesired(CSize& box, CSize& size);

    // Version block of one of our programs or libraries; 0 when the file carries none.
    static int GetFileVersion(const char* path, VS_FIXEDFILEINFO* info);

    // Picture helper (Qt Gui, no widgets). The region holds the picture's pixels outside the
    // transparent colour range; null picture or no opaque pixel gives an empty region.
    static QRegion BitmapToRegion(const QImage* bitmap, COLORREF colour, COLORREF tolerance);

    // The open-file dialog. The dialog is a window, which this library does not know: the
    // program installs it at start (SetFileDialogHandler). Without a handler nothing is chosen
    // and 0 is returned, as when the user cancels.
    using FileDialogHandler = std::function<int(CStringList* files, const CString& filter, int bOpen)>;
    static int ShowFileDialog(CStringList* files, CString filter, int bOpen);
    // Returns the previous handler; an empty one removes it.
    static FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);
};
