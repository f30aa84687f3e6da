#include "app/DialogLogic.h"

#include <sys/stat.h>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "common/Gandry.h"
#include "imaging/extImage.h"
#include "platform/afx/afxwin.h"
#include "platform/win/codepage.h"
#include "views/catalogue/NameRules.h"

namespace dlgcheck {

namespace {

// The name rules live with the catalogue, which the album strip and the command-line tool share;
// a dialog shows the refusal and empties its edit only for a name that already exists.
DlgVerdict ShowVerdict(const CString& refusal, const char* duplicateMessage) {
    if (refusal.empty()) return {true, false};
    AfxMessageBox(refusal);
    return {false, refusal == duplicateMessage};
}

}  // namespace

DlgVerdict AlbumName(const CString& name, const std::vector<CString>* existing) {
    static const std::vector<CString> none;
    return ShowVerdict(catalogue::CheckAlbumName(name, existing ? *existing : none), "앨범명이 이미 존재합니다");
}

int KeywordLength(const CString& name) {
    return catalogue::NameLength(name);
}

DlgVerdict KeywordName(const CString& name, const std::vector<CString>& existing) {
    return ShowVerdict(catalogue::CheckKeywordName(name, existing), "키워드명이 이미 존재합니다");
}

DlgVerdict SaveAsName(const CString& name, const CString& current, const CString& photoFolder, CString& target,
                      int& sameName) {
    if (name.empty()) {
        AfxMessageBox("입력박스에 입력해주세요");
        return {};
    }
    // The catalogue shows names of up to 80 characters; a longer one is the user's choice.
    if (win::Cp949Length(name) > 84 &&
        AfxMessageBox("빔브로에서 지원하는 파일명 길이(80자) 보다 더 긴 파일로 변경하려고 합니다..\n\n그래도 "
                      "파일명을 바꾸시겠습니까?\n\n(파일명을 바꾸시면 빔브로에서 보이지 않을 수도 있습니다)",
                      MB_YESNO) != IDYES)
        return {};
    if (CGandry::CheckFileSpecialChar(name)) {
        AfxMessageBox("\\/<>\"?*:| 문자는 사용할수 없습니다");
        return {};
    }
    CString ext = CGandry::FindExtension(current);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const CString result = name + "." + ext;
    if (result == current) {
        sameName = 1;
    } else {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(photoFolder, ec)) {
            if (entry.is_directory(ec)) continue;
            if (entry.path().filename().string() == result) {
                AfxMessageBox("파일이 존재합니다. 다른이름을 입력해주세요.");
                return {};
            }
        }
    }
    target = photoFolder + "/" + result;
    return {true, false};
}

DlgVerdict ExportFolder(const CString& folder) {
    if (folder.empty()) {
        AfxMessageBox("내보낼 폴더를 선택하세요!");
        return {};
    }
    return {true, false};
}

bool ExportIntoPhotoFolder(const CString& folder, const CString& photoFolder) {
    auto norm = [](const CString& p) {
        std::string s = std::filesystem::path(p).lexically_normal().generic_string();
        while (s.size() > 1 && s.back() == '/') s.pop_back();
        return s;
    };
    return !folder.empty() && norm(folder) == norm(photoFolder);
}

bool RefuseExportIntoPhotoFolder(const CString& folder) {
    if (!ExportIntoPhotoFolder(folder, CGandry::GetDocumentPath() + "/ZEL/Photo")) return false;
    AfxMessageBox("내보낼 폴더는 디폴트폴더와 같을수 없습니다");
    return true;
}

}  // namespace dlgcheck

void CBundleChangeLogic::SetTarget(int target) {
    m_nTarget = target == kTitle ? kTitle : kFileName;
    m_nKindIndex = 0;
    if (m_nTarget == kFileName) {
        m_bOption7044 = 1;
        m_bOption7051 = 1;
    }
}

std::vector<CString> CBundleChangeLogic::KindTexts() const {
    if (m_nTarget == kTitle) return {"없음", "텍스트", "파일이름", "날짜/시간"};
    return {"텍스트", "날짜/시간"};
}

void CBundleChangeLogic::SetKindIndex(int index) {
    const int count = static_cast<int>(KindTexts().size());
    m_nKindIndex = std::clamp(index, 0, count - 1);
}

CBundleChangeLogic::Kind CBundleChangeLogic::GetKind() const {
    if (m_nTarget == kTitle) {
        static constexpr Kind kinds[] = {kNone, kText, kFromFileName, kDateTime};
        return kinds[m_nKindIndex];
    }
    return m_nKindIndex == 0 ? kText : kDateTime;
}

CBundleChangeLogic::Layout CBundleChangeLogic::GetLayout() const {
    Layout l;
    switch (GetKind()) {
        case kText:
            l.showText = true;
            l.buttonY = 130;
            break;
        case kDateTime:
            l.showDateTime = true;
            l.buttonY = 150;
            break;
        default:
            l.buttonY = 80;
            break;
    }
    l.height = l.buttonY + 55;
    return l;
}

CString CBundleChangeLogic::LimitText(const CString& text) const {
    const int limit = TextLimit();
    if (static_cast<int>(win::Cp949Length(text)) <= limit) return text;
    const CString cut = win::Cp949Truncate(text, static_cast<std::size_t>(limit));
    char message[64];
    std::snprintf(message, sizeof message, "%d 자로 제한이 되어있습니다.", limit);
    AfxMessageBox(message);
    return cut;
}

bool CBundleChangeLogic::Decide(bool& focusText) {
    focusText = false;
    const Kind kind = GetKind();
    int choice = -1;
    if (m_nTarget == kTitle) {
        choice = kind == kNone ? 0 : kind == kText ? 1 : kind == kFromFileName ? 2 : 3;
    } else {
        choice = kind == kText ? 4 : 5;
    }
    if ((choice == 1 || choice == 4) && m_strText.empty()) {
        AfxMessageBox("입력박스에 입력해주세요");
        focusText = true;
        return false;
    }
    if ((choice == 3 || choice == 5) && !m_bDate && !m_bTime) {
        AfxMessageBox("[날짜포함] 혹은 [시간포함]이 적어도 한개는 선택되어야 합니다.");
        return false;
    }
    m_nChoice = choice;
    return true;
}

CString CInfoTexts::FormatDate(long long secondsSince1970) {
    const std::time_t t = static_cast<std::time_t>(secondsSince1970);
    std::tm local{};
    localtime_r(&t, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%d. %d. %d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return text;
}

CInfoTexts CInfoTexts::Build(const CString& fullPath, const CString& fileName, const CString& title) {
    CInfoTexts out;
    struct stat st {};
    if (fullPath.empty() || ::stat(fullPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return out;

    CString ext = CGandry::FindExtension(fileName);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    CString pixels;
    {
        extImage picture(fullPath.c_str(), static_cast<unsigned long>(CGandry::FindType(ext)));
        char size[48];
        std::snprintf(size, sizeof size, "%d x %d", static_cast<int>(picture.GetWidth()),
                      static_cast<int>(picture.GetHeight()));
        pixels = size;
    }
    // Linux keeps no creation time the stat call can read; the inode change time stands in.
    const long long created = st.st_ctime < st.st_mtime ? st.st_ctime : st.st_mtime;
    const int bytes = st.st_size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(st.st_size);
    out.lines = {"파일이름 : " + fileName,
                 "제     목 : " + title,
                 "크     기 : " + CGandry::GetKBFromStr(bytes),
                 "픽     셀 : " + pixels,
                 "생성날짜 : " + FormatDate(created),
                 "수정날짜 : " + FormatDate(st.st_mtime),
                 "액세스날짜 : " + FormatDate(st.st_atime)};
    return out;
}
