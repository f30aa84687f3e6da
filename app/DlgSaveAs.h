// CDlgSaveAs: names the edited picture. The name is typed without extension; the picture's own
// extension is added and the result goes into the phone's photo folder.
#pragma once

#include <QLineEdit>

#include "views/controls/BaseDialog.h"

class CxSkinButtonEx;

class CDlgSaveAs : public CBaseDialog {
public:
    static constexpr int IDD = 1022;
    static constexpr int IDC_NAME = 7513;

    // `current`: the picture's file name without folder.
    explicit CDlgSaveAs(const CString& current, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    void OnOK();

    // Results.
    CString m_strTarget;  // full path in the photo folder
    int m_bSameName = 0;  // the name is the picture's own

    QLineEdit* NameEdit() const { return m_pName; }
    CxSkinButtonEx* OkButton() const { return m_pOk; }
    CxSkinButtonEx* CancelButton() const { return m_pCancel; }

private:
    CString m_strCurrent;
    QLineEdit* m_pName = nullptr;
    CxSkinButtonEx* m_pOk = nullptr;
    CxSkinButtonEx* m_pCancel = nullptr;
};
