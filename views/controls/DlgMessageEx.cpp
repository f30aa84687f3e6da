#include "views/controls/DlgMessageEx.h"

#include "platform/brelt/Brelt.h"
#include "views/controls/StaticEx.h"
#include "views/controls/xSkinButtonEx.h"

namespace {
constexpr int kButtonSkin = 7516;
constexpr int kButtonStates = 5;
}  // namespace

CDlgMessageEx::CDlgMessageEx(QWidget* parent, const std::string& message) : CBaseDialog(parent) {
    setWindowTitle(QStringLiteral("ZEL VimbroSuite"));
    setAccessibleName(windowTitle());
    SetClientSize(330, 100);

    m_pMessage = new CStaticEx(QString::fromStdString(message), this);
    m_pMessage->SetTextColor(RGB(0, 0, 0));
    m_pMessage->SetBkColor(RGB(0xED, 0xED, 0xED));
    m_pMessage->setAlignment(Qt::AlignCenter);
    m_pMessage->setAccessibleName(m_pMessage->text());
    PlaceChild(m_pMessage, 10, 15, 310, 30);

    const QImage skin = CBrelt::Bitmap(kButtonSkin);
    auto make = [&](const QString& text, int result, int x) {
        auto* b = new CxSkinButtonEx(text, this);
        if (!skin.isNull()) b->SetSkinWithCount(skin, kButtonStates);
        b->setAccessibleName(text);
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        PlaceChild(b, x, 60, 90, 24);
        return b;
    };
    m_pOk = make(QStringLiteral("예"), kAnswerYes, 20);
    m_pAll = make(QStringLiteral("모두 예"), kAnswerAll, 120);
    m_pCancel = make(QStringLiteral("아니오"), kAnswerNo, 220);
    m_pOk->setDefault(true);
}

CxSkinButtonEx* CDlgMessageEx::Button(int id) const {
    switch (id) {
        case IDOK:
            return m_pOk;
        case IDC_ALL:
            return m_pAll;
        case IDCANCEL:
            return m_pCancel;
        default:
            return nullptr;
    }
}
