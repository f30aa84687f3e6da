#include "app/KeywordLogic.h"

#include <cstdio>

#include "platform/afx/afxwin.h"
#include "views/catalogue/ThumbCatalogue.h"

namespace {
const char* const kSelectFirst = "적용할 키워드를 선택하세요.";

CString Format(const char* format, int value) {
    char text[256];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
}  // namespace

CString CKeywordLogic::CountText(int a, int b) {
    char text[48];
    std::snprintf(text, sizeof text, "%d / %d", a, b);
    return text;
}

void CKeywordLogic::Load() {
    m_rows.clear();
    m_names.clear();
    if (!m_pCatalogue) return;
    m_rows = m_pCatalogue->GetKeywords();
    for (const KEYWORD_HEADER& k : m_rows) m_names.push_back(k.strKeywordName);
}

CString CKeywordLogic::Open(std::set<int>& selectIds) {
    Load();
    selectIds.clear();
    int withKeywords = 0, total = 0;
    if (m_pCatalogue) m_pCatalogue->get_keywordlist_fromselected(&selectIds, withKeywords, total);
    return CountText(withKeywords, total);
}

bool CKeywordLogic::NeedSelection(const std::vector<int>& ids) const {
    if (!ids.empty()) return true;
    AfxMessageBox(kSelectFirst);
    return false;
}

void CKeywordLogic::AddKeyword(const CString& name) {
    if (m_pCatalogue) m_pCatalogue->AddKeyword(name);
    Load();
}

bool CKeywordLogic::Rename(int id, const CString& newName) {
    // The catalogue rebuilds the browser's keyword texts itself (invalid_keyword).
    const bool renamed = m_pCatalogue && m_pCatalogue->RenameKeyword(id, newName) == 1;
    Load();
    return renamed;
}

bool CKeywordLogic::Delete(const std::vector<int>& ids) {
    if (!NeedSelection(ids)) return false;
    const CString question = Format("%d 개의 키워드가 삭제됩니다.\r\n해당 키워드를 가진 아이템들이 영향을 받습니다.",
                                    static_cast<int>(ids.size()));
    if (AfxMessageBox(question, MB_YESNO | MB_ICONSTOP) != IDYES) return false;
    // The catalogue's deletion also has the browser re-read its keyword lists (reload_keyword).
    if (m_pCatalogue) m_pCatalogue->DeleteKeyword(ids);
    Load();
    return true;
}

bool CKeywordLogic::Apply(const std::vector<int>& ids) {
    if (!NeedSelection(ids)) return false;
    std::vector<int> list = ids;
    int count = 0;
    if (m_pCatalogue) m_pCatalogue->InsertKeyword(&list, count);
    AfxMessageBox(Format("%d 개의 아이템이 설정되었습니다.", count));
    return true;
}

void CKeywordLogic::RemoveAll() {
    std::vector<int> none;
    int count = 0;
    if (m_pCatalogue) m_pCatalogue->InsertKeyword(&none, count);
    AfxMessageBox(Format("%d 개의 아이템이 해제되었습니다.", count));
}

bool CKeywordLogic::Search(const std::vector<int>& ids, CString& countText) {
    if (!NeedSelection(ids)) return false;
    if (!m_pCatalogue) return false;
    std::vector<int> list = ids;
    int total = 0;
    m_pCatalogue->loading_album(&list, total);
    countText = CountText(m_pCatalogue->GetThumbCount(), total);
    return true;
}

bool CKeywordLogic::SearchAll(CString& countText) {
    if (m_rows.empty() || !m_pCatalogue) return false;
    std::vector<int> all;
    for (const KEYWORD_HEADER& k : m_rows) all.push_back(k.nKeywordID);
    std::vector<int> list = all;
    int total = 0;
    m_pCatalogue->loading_album(&list, total);
    countText = CountText(m_pCatalogue->GetThumbCount(), total);
    return true;
}
