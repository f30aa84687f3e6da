// CDlgInfo: what the catalogue knows of one picture and what the file says (size, pixels and
// times). Display only.
#pragma once

#include <vector>

#include "views/controls/BaseDialog.h"

class vxImage;
class CStaticEx;
class CxSkinButtonEx;

class CDlgInfo : public CBaseDialog {
public:
    static constexpr int IDD = 1018;
    explicit CDlgInfo(const vxImage* item, QWidget* parent = nullptr);
    CDlgInfo(const CString& fullPath, const CString& fileName, const CString& title, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    const std::vector<CStaticEx*>& Statics() const { return m_statics; }
    CxSkinButtonEx* OkButton() const { return m_pOk; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Build(const CString& fullPath, const CString& fileName, const CString& title);

    std::vector<CStaticEx*> m_statics;
    CxSkinButtonEx* m_pOk = nullptr;
};
