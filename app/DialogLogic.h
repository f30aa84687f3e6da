// Window-less decisions of the shell's small dialogs: the order of the checks on OK, the
// messages they show (through AfxMessageBox) and the state the widgets only display. The
// dialogs collect input, call these and show what they decided.
#pragma once

#include <string>
#include <vector>

#include "platform/win/windef.h"

// The outcome of an OK press: accepted, or refused (message already shown) with the edit to
// be emptied or not. The widget focuses the edit after any refusal.
struct DlgVerdict {
    bool ok = false;
    bool clearEdit = false;
};

namespace dlgcheck {

// Album name of a new album: empty, leading space, forbidden character, duplicate (exact).
DlgVerdict AlbumName(const CString& name, const std::vector<CString>* existing);

// Keyword name (new and renamed keywords): empty, leading space, forbidden character, more than
// 20 characters (double-byte characters of code page 949 count once), duplicate.
DlgVerdict KeywordName(const CString& name, const std::vector<CString>& existing);

// Characters of a keyword name as the limit counts them: CP949 bytes minus double-byte pairs.
int KeywordLength(const CString& name);

// Folder of the export dialog: refused when empty.
DlgVerdict ExportFolder(const CString& folder);

// The frame's check after the export dialog: exporting into the phone's photo folder would
// copy pictures onto themselves. `photoFolder` is documents + "/ZEL/Photo". Trailing "/" and
// "." parts do not hide the folder.
bool ExportIntoPhotoFolder(const CString& folder, const CString& photoFolder);

// The frame's refusal after the export dialog closed with OK: true (message shown) when the
// folder is the phone's photo folder under the documents folder.
bool RefuseExportIntoPhotoFolder(const CString& folder);

// The save-as dialog's OK for `name` typed over the picture file `current` (a name without
// folder): empty, the 84-byte question, special characters; then the current extension is
// appended and, unless that is the current name (`sameName` 1), a file of that exact name in
// `photoFolder` refuses it. `target` is photoFolder + "/" + the name with its extension.
DlgVerdict SaveAsName(const CString& name, const CString& current, const CString& photoFolder, CString& target,
                      int& sameName);

}  // namespace dlgcheck

// State and decisions of the bundle rename dialog.
class CBundleChangeLogic {
public:
    enum Target { kFileName = 0, kTitle = 1 };
    enum Kind { kNone, kText, kFromFileName, kDateTime };
    static constexpr int kFileNameLimit = 120;
    static constexpr int kTitleLimit = 1000;

    struct Layout {
        bool showText = false;
        bool showDateTime = false;
        int buttonY = 80;
        int height = 135;
    };

    CBundleChangeLogic() { SetTarget(kFileName); }

    // Picks the target; its kind list is rebuilt with the first kind chosen. File names force
    // options 7044 and 7051 on (their boxes are checked and disabled).
    void SetTarget(int target);
    int GetTarget() const { return m_nTarget; }
    std::vector<CString> KindTexts() const;
    void SetKindIndex(int index);
    int GetKindIndex() const { return m_nKindIndex; }
    Kind GetKind() const;
    bool OptionsLocked() const { return m_nTarget == kFileName; }
    Layout GetLayout() const;

    // The text cut to the target's limit (counted in CP949 bytes, never splitting a character);
    // when it had to be cut, "%d 자로 제한이 되어있습니다." is shown.
    CString LimitText(const CString& text) const;
    int TextLimit() const { return m_nTarget == kFileName ? kFileNameLimit : kTitleLimit; }

    // OK: sets m_nChoice (0..5) and returns true, or shows the refusal and returns false.
    // `focusText` tells the widget to focus the text edit.
    bool Decide(bool& focusText);

    // Results, read after OK.
    int m_nChoice = -1;
    CString m_strText;
    int m_bOption7044 = 0;
    int m_bOption7051 = 0;
    int m_bDate = 0;
    int m_bTime = 0;
    int m_bDateForm = 1;
    int m_bTimeForm = 1;

private:
    int m_nTarget = kFileName;
    int m_nKindIndex = 0;
};

// The texts of the picture information dialog for one file.
struct CInfoTexts {
    // File name, title, size, pixels, created, modified, accessed; empty when the file is gone.
    std::vector<CString> lines;
    static CInfoTexts Build(const CString& fullPath, const CString& fileName, const CString& title);
    // "%d. %d. %d" of a local time.
    static CString FormatDate(long long secondsSince1970);
};
