// CDlgBundleChange: titles or file names of the selected pictures at once. The widget shows
// CBundleChangeLogic's state; the frame reads the choice and values after OK.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/DialogLogic.h"
#include "views/controls/BaseDialog.h"

class CStaticEx;
class CxSkinButtonEx;

class CDlgBundleChange : public CBaseDialog {
public:
    static constexpr int IDD = 1008;
    static constexpr int kWidth = 400;

    explicit CDlgBundleChange(int album = 0, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    const CBundleChangeLogic& Result() const { return m_logic; }
    int GetAlbum() const { return m_nAlbum; }

    QComboBox* TargetCombo() const { return m_pTarget; }
    QComboBox* KindCombo() const { return m_pKind; }
    QLineEdit* TextEdit() const { return m_pText; }
    QCheckBox* Check(int id) const;
    QRadioButton* Radio(int id) const;
    CxSkinButtonEx* OkButton() const { return m_pOk; }
    CxSkinButtonEx* CancelButton() const { return m_pCancel; }

    void OnOK();

private:
    void OnTarget(int index);
    void OnKind(int index);
    void OnTextEdited(const QString& text);
    void ShowState();

    CBundleChangeLogic m_logic;
    int m_nAlbum;
    bool m_bFilling = false;
    QComboBox* m_pTarget = nullptr;
    QComboBox* m_pKind = nullptr;
    QLineEdit* m_pText = nullptr;
    QCheckBox* m_p7044 = nullptr;
    QCheckBox* m_p7045 = nullptr;
    QCheckBox* m_p7046 = nullptr;
    QCheckBox* m_p7051 = nullptr;
    QRadioButton* m_p7047 = nullptr;
    QRadioButton* m_p7048 = nullptr;
    QRadioButton* m_p7049 = nullptr;
    QRadioButton* m_p7050 = nullptr;
    CxSkinButtonEx* m_pOk = nullptr;
    CxSkinButtonEx* m_pCancel = nullptr;
};
