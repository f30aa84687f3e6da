#include "app/DlgInfo.h"

#include <QPainter>

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"
#include "views/catalogue/vxImage.h"

using namespace dlgui;

namespace {
constexpr COLORREF kStaticBack = RGB(0xDD, 0xDD, 0xDD);
constexpr int kStaticCount = 8;
constexpr int kFirstGroup = 4;  // name, title, size, pixels; then the three dates
constexpr int kLeft = 30, kTop = 25, kRowHeight = 20, kWidth = 300, kGroupGap = 30;
}  // namespace

CDlgInfo::CDlgInfo(const vxImage* item, QWidget* parent) : CBaseDialog(parent) {
    if (item)
        Build(item->m_strFullPath, item->m_strFilename, item->m_strTitle);
    else
        Build(CString(), CString(), CString());
}

CDlgInfo::CDlgInfo(const CString& fullPath, const CString& fileName, const CString& title, QWidget* parent)
    : CBaseDialog(parent) {
    Build(fullPath, fileName, title);
}

void CDlgInfo::Build(const CString& fullPath, const CString& fileName, const CString& title) {
    setWindowTitle(QStringLiteral("사진 정보"));
    setAccessibleName(windowTitle());
    const CInfoTexts texts = CInfoTexts::Build(fullPath, fileName, title);
    int y = kTop;
    for (int i = 0; i < kStaticCount; ++i) {
        // The eighth static is the spare line under the dates; the design leaves it empty.
        const QString text = i < static_cast<int>(texts.lines.size()) ? Q(texts.lines[i]) : QString();
        CStaticEx* s = TextStatic(this, text, kStaticBack);
        s->SetTransparent(false);
        if (text.isEmpty()) s->setAccessibleName(QStringLiteral("정보 없음"));
        if (i == kFirstGroup) y += kGroupGap;
        PlaceChild(s, kLeft, y, kWidth, kRowHeight - 2);
        m_statics.push_back(s);
        if (i == kStaticCount - 1) {
            // Nothing to say on the spare line: it takes no room.
            s->hide();
            break;
        }
        y += kRowHeight;
    }
    m_pOk = SkinButton(this, QStringLiteral("확인"));
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    const int clientWidth = kLeft + kWidth + 30;
    PlaceChild(m_pOk, clientWidth - 100, y + 15, 85, 24);
    SetClientSize(clientWidth, y + 50);
}

void CDlgInfo::paintEvent(QPaintEvent* event) {
    CBaseDialog::paintEvent(event);
    if (m_statics.size() < kStaticCount) return;
    QPainter p(this);
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    // Group frames 15 pixels outside on the left, 10 above and below, 15 on the right.
    auto frame = [&](int first, int last) {
        const QRect a = m_statics[first]->geometry();
        const QRect b = m_statics[last]->geometry();
        p.drawRect(QRect(QPoint(a.left() - 15, a.top() - 10), QPoint(b.right() + 15, b.bottom() + 10)));
    };
    frame(0, kFirstGroup - 1);
    frame(kFirstGroup, kStaticCount - 2);
}
