// The canvas's files: the catalogue item it edits, writing the picture back or as a copy, and
// copying the item's file out to a folder.
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "imaging/Quantizer.h"
#include "imaging/extImage.h"
#include "platform/afx/afxwin.h"
#include "platform/win/fileapi.h"
#include "platform/win/filetype.h"
#include "views/catalogue/vxImage.h"
#include "views/editor/ViewMainCore.h"

namespace {

CString Lower(CString text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

int TypeOfPath(const CString& path) { return CGandry::FindType(Lower(CGandry::FindExtension(path))); }

// Writes a picture by the target's type code; GIF goes through a 256-colour palette first.
bool WritePicture(extImage& picture, const CString& path, bool restoreDepth) {
    const int type = TypeOfPath(path);
    if (type == FILETYPE_PHT) return picture.SavePHT(path.c_str());
    if (type == CXIMAGE_FORMAT_GIF) {
        CQuantizer quantizer(256, 7);
        RGBQUAD palette[256] = {};
        if (picture.GetBpp() == 24) {
            quantizer.ProcessImage(picture.GetDIB());
            quantizer.SetColorTable(palette);
            picture.DecreaseBpp(8, true, palette, 256);
        }
        const bool written = picture.Save(path.c_str(), CXIMAGE_FORMAT_GIF);
        // The canvas keeps editing in 24 bits.
        if (restoreDepth && picture.GetBpp() < 24) picture.IncreaseBpp(24);
        return written;
    }
    if (type <= 0 || type >= static_cast<int>(CMAX_IMAGE_FORMATS)) return false;
    return picture.Save(path.c_str(), static_cast<DWORD>(type));
}

}  // namespace

int CViewMainCore::GetCurrentType() const { return m_pSelectedVx ? TypeOfPath(m_pSelectedVx->m_strFullPath) : 0; }

CString CViewMainCore::GetFullPath() const { return m_pSelectedVx ? m_pSelectedVx->m_strFullPath : CString(); }

CString CViewMainCore::GetTitleName() const { return m_pSelectedVx ? m_pSelectedVx->m_strTitle : CString(); }

int CViewMainCore::IsExistFile(vxImage* item) { return item && win::PathExists(item->m_strFullPath) ? 1 : 0; }

int CViewMainCore::Save(CString name, int& savedAsNew) {
    if (!m_pImage) return 0;
    const bool inPlace =
        name.empty() || (m_pSelectedVx && Lower(CGandry::FindFilename(name, 1)) == Lower(m_pSelectedVx->m_strFilename));
    if (inPlace && !m_pSelectedVx) return 0;
    const bool withText = m_text.GetMode() == TEXTMODE_PLACED && m_text.GetTextImage();
    int written = 0;
    if (inPlace) {
        savedAsNew = 0;
        m_pSelectedVx->MakingOriginal(0);
        if (withText) m_pImage->CopyPixelWithTrans(m_text.GetTextImage(), m_text.GetRect());
        written = WritePicture(*m_pImage, m_pSelectedVx->m_strFullPath, true) ? 1 : 0;
        if (withText) {
            m_text.Release();
            m_bTimer2 = false;
        }
        RefreshCopies();
        Changed();
    } else {
        savedAsNew = 1;
        extImage copy(*m_pImage);
        if (withText) copy.CopyPixelWithTrans(m_text.GetTextImage(), m_text.GetRect());
        written = WritePicture(copy, name, false) ? 1 : 0;
    }
    return written;
}

void CViewMainCore::ExportFile(CString folder, int unique, int useTitle, int& count) {
    if (!m_pSelectedVx) return;
    CString base = useTitle && !m_pSelectedVx->m_strTitle.empty() ? m_pSelectedVx->m_strTitle : m_pSelectedVx->m_strFilename;
    if (std::size_t dot = base.rfind('.'); dot != CString::npos) base.erase(dot);
    const CString ext = Lower(CGandry::FindExtension(m_pSelectedVx->m_strFullPath));
    if (folder.empty() || folder.back() != '/') folder += '/';

    CString fileName;
    if (unique) {
        int n = 0;
        fileName = CGandry::GetUniqueName(folder, base, ext, n);
    } else {
        fileName = base + "." + ext;
        if (CGandry::IsExistFileName(folder, base, ext)) {
            char text[1024];
            std::snprintf(text, sizeof text, "%s 파일이 존재합니다. 덮어쓸까요?", fileName.c_str());
            if (AfxMessageBox(text, MB_YESNO) != IDYES) return;
        }
    }
    // A failed copy is not reported; the count follows what was allowed.
    win::CopyFile(m_pSelectedVx->m_strFullPath, folder + fileName, false);
    ++count;
}
