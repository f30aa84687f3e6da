#include "app/DlgBright.h"

#include "app/DlgCommon.h"
#include "imaging/extImage.h"
#include "views/controls/BitmapSlider.h"

using namespace dlgui;

CDlgBright::CDlgBright(extImage* preview, std::function<void()> repaint, QWidget* parent)
    : CBaseDialog(parent), m_pPreview(preview), m_repaint(std::move(repaint)) {
    setWindowTitle(QStringLiteral("밝기/대비"));
    setAccessibleName(windowTitle());
    setObjectName(QString::number(IDD));
    if (m_pPreview && m_pPreview->IsValid()) m_pCopy = new extImage(*m_pPreview);

    SetClientSize(300, 115);
    PlaceChild(TextStatic(this, QStringLiteral("밝기")), 15, 17, 50, 20);
    PlaceChild(TextStatic(this, QStringLiteral("대비")), 15, 50, 50, 20);
    auto makeSlider = [this](int id, const QString& name) {
        auto* s = new CBitmapSlider(this, id);
        s->setObjectName(QString::number(id));
        s->setAccessibleName(name);
        s->SetNotifyTarget(this);
        s->SetBitmapChannel(7514);
        s->SetBitmapThumb(7234, 7235);
        s->SetRange(-100, 100);
        s->SetPos(0);
        return s;
    };
    m_pBright = makeSlider(IDC_BRIGHTNESS, QStringLiteral("밝기"));
    m_pContrast = makeSlider(IDC_CONTRAST, QStringLiteral("대비"));
    PlaceChild(m_pBright, 70, 17, 215, 20);
    PlaceChild(m_pContrast, 70, 50, 215, 20);

    m_pOk = SkinButton(this, QStringLiteral("확인"));
    m_pCancel = SkinButton(this, QStringLiteral("취소"));
    m_pOk->setObjectName(QString::number(IDOK));
    m_pCancel->setObjectName(QString::number(IDCANCEL));
    PlaceChild(m_pOk, 105, 83, 85, 24);
    PlaceChild(m_pCancel, 200, 83, 85, 24);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CDlgBright::~CDlgBright() {
    delete m_pCopy;
}

LRESULT CDlgBright::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CBitmapSlider::kMsgMoving || message == CBitmapSlider::kMsgMoved) {
        const int value = static_cast<int>(lParam);
        if (static_cast<int>(wParam) == IDC_BRIGHTNESS)
            m_nBrightness = value;
        else if (static_cast<int>(wParam) == IDC_CONTRAST)
            m_nContrast = value;
        else
            return 0;
        UpdatePreview();
        return 0;
    }
    return CBaseDialog::WindowProc(message, wParam, lParam);
}

void CDlgBright::UpdatePreview() {
    if (!m_pPreview || !m_pCopy) return;
    m_pPreview->Light(m_nBrightness, m_nContrast, m_pCopy);
    if (m_repaint) m_repaint();
}
