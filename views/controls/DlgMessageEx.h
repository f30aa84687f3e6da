// CDlgMessageEx: the three-answer overwrite question of the control library ("파일이 존재합니다.
// 덮어쓸까요?"). OK answers 1, the button with identifier 3 answers 2 (overwrite this and every
// later clash), Cancel or closing the window answers 0.
#pragma once

#include <string>

#include "views/controls/BaseDialog.h"

class CStaticEx;
class CxSkinButtonEx;

class CDlgMessageEx : public CBaseDialog {
public:
    static constexpr int IDD = 7522;
    static constexpr int IDC_ALL = 3;
    static constexpr int kAnswerNo = 0;
    static constexpr int kAnswerYes = 1;
    static constexpr int kAnswerAll = 2;

    explicit CDlgMessageEx(QWidget* parent = nullptr, const std::string& message = "파일이 존재합니다. 덮어쓸까요?");

    int DoModal() { return exec(); }

    CxSkinButtonEx* Button(int id) const;
    CStaticEx* MessageStatic() const { return m_pMessage; }

private:
    CStaticEx* m_pMessage = nullptr;
    CxSkinButtonEx* m_pOk = nullptr;
    CxSkinButtonEx* m_pAll = nullptr;
    CxSkinButtonEx* m_pCancel = nullptr;
};
