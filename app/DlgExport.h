// CDlgExport: the folder the selected pictures are copied to, and the two choices: free names
// instead of overwrite questions (7505) and names taken from the titles (7506).
#pragma once

#include <QCheckBox>
#include <QLineEdit>

#include <functional>

#include "views/controls/BaseDialog.h"

class CxSkinButtonEx;

class CDlgExport : public CBaseDialog {
public:
    static constexpr int IDD = 7419;
    // Picks a folder: (title, folder to start in) to the chosen folder, empty when cancelled.
    using FolderBrowser = std::function<CString(const CString& title, const CString& start)>;

    explicit CDlgExport(QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    void SetFolderBrowser(FolderBrowser browser) { m_browse = std::move(browser); }
    void OnBrowse();
    void OnOK();

    // Results.
    CString m_strFolder;
    int m_bUnique = 0;    // 7505
    int m_bUseTitle = 0;  // 7506

    QLineEdit* FolderEdit() const { return m_pFolder; }
    QCheckBox* UniqueCheck() const { return m_pUnique; }
    QCheckBox* TitleCheck() const { return m_pTitle; }
    CxSkinButtonEx* BrowseButton() const { return m_pBrowse; }
    CxSkinButtonEx* OkButton() const { return m_pOk; }
    CxSkinButtonEx* CancelButton() const { return m_pCancel; }

private:
    FolderBrowser m_browse;
    QLineEdit* m_pFolder = nullptr;
    QCheckBox* m_pUnique = nullptr;
    QCheckBox* m_pTitle = nullptr;
    CxSkinButtonEx* m_pBrowse = nullptr;
    CxSkinButtonEx* m_pOk = nullptr;
    CxSkinButtonEx* m_pCancel = nullptr;
};
