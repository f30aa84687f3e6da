// CDlgExportPhone: the name dialog of a file for the phone: the user types a name, the dialog
// makes it the full path of a file in a phone folder and tells whether that path is already a
// catalogue item. CDlgExportEBA and CDlgExportPHT differ only in folder, extension and texts.
#pragma once

#include <QLineEdit>

#include <vector>

#include "views/controls/BaseDialog.h"

class CStaticEx;
class CxSkinButtonEx;
class vxImage;

class CDlgExportPhone : public CBaseDialog {
public:
    static constexpr int IDC_STATIC_1 = 7063;
    static constexpr int IDC_STATIC_2 = 7064;
    static constexpr int IDC_NAME = 7061;

    int DoModal() { return exec(); }
    void OnOK();

    // Results, read after OK: the full target path (also the name text), whether it is an
    // existing catalogue item, and that item.
    const CString& GetPath() const { return m_strName; }
    int IsExistItem() const { return m_bExist; }
    vxImage* GetExistItem() const { return m_pExist; }
    // The phone folder the file goes into (documents + "/ZEL/Image" or "/ZEL/Photo").
    const CString& GetFolder() const { return m_strFolder; }

    QLineEdit* NameEdit() const { return m_pName; }
    CxSkinButtonEx* OkButton() const { return m_pOk; }
    CxSkinButtonEx* CancelButton() const { return m_pCancel; }

protected:
    // `lines` are the texts of statics 7063 and, when given, 7064.
    CDlgExportPhone(const QString& title, const QStringList& lines, const char* subFolder, const char* extension,
                    const std::vector<vxImage*>& items, QWidget* parent);

private:
    std::vector<vxImage*> m_items;
    CString m_strFolder;
    const char* m_pszExtension;
    CString m_strName;
    int m_bExist = 0;
    vxImage* m_pExist = nullptr;
    QLineEdit* m_pName = nullptr;
    CxSkinButtonEx* m_pOk = nullptr;
    CxSkinButtonEx* m_pCancel = nullptr;
};
