#include "app/DlgEffect.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <cstring>

#include "app/DlgBright.h"
#include "common/Gandry.h"
#include "imaging/extImage.h"
#include "views/controls/StColor.h"
#include "views/controls/xSkinButtonEx.h"
#include "views/editor/SymbolGrid.h"
#include "views/editor/ViewMainCore.h"
#include "views/editor/cbTextWnd.h"

using namespace effect;

namespace {

CDlgEffect::BrightRunner& Runner() {
    static CDlgEffect::BrightRunner runner;
    return runner;
}

// The size of a tool without its skin, as the skins are cut.
CSize PlainSize(int id) {
    switch (id) {
    case IDC_UNDO:
    case IDC_REDO:
    case IDC_ROTATE_LEFT:
    case IDC_ROTATE_RIGHT:
    case IDC_MIRROR:
    case IDC_FLIP:
        return CSize(54, 34);
    case IDC_SCREEN1:
    case IDC_SCREEN2:
        return CSize(54, 28);
    case IDC_BOLD:
    case IDC_ITALIC:
    case IDC_UNDERLINE:
    case IDC_SHADOW:
        return CSize(16, 16);
    default:
        return CSize(108, 28);
    }
}

// The inner parts of the lists and combo boxes (view ports, scroll bars, drop-down lists) take
// the name of the control they belong to, so that no part of the panel is nameless to a
// screen reader.
void NameInnerParts(QWidget* root) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->accessibleName().isEmpty()) continue;
        QString owner;
        for (QWidget* p = w->parentWidget(); p && owner.isEmpty(); p = p->parentWidget()) owner = p->accessibleName();
        if (qobject_cast<QScrollBar*>(w))
            owner += QStringLiteral(" 스크롤 막대");
        w->setAccessibleName(owner);
    }
}

// A UTF-8 face name cut to the description's field on a character boundary.
void CopyFaceName(LOGFONTA& lf, const std::string& face) {
    size_t n = std::min<size_t>(face.size(), LF_FACESIZE - 1);
    while (n > 0 && n < face.size() && (static_cast<unsigned char>(face[n]) & 0xC0) == 0x80) --n;
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    std::memcpy(lf.lfFaceName, face.data(), n);
}

}  // namespace

CDlgEffect::BrightRunner CDlgEffect::SetBrightRunner(BrightRunner runner) {
    BrightRunner old = std::move(Runner());
    Runner() = std::move(runner);
    return old;
}

CDlgEffect::CDlgEffect(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(IDD));
    setAccessibleName(QStringLiteral("효과"));

    // The text tools' frame lies under its controls.
    m_pTextGroup = new QFrame(this);
    m_pTextGroup->setObjectName(QString::number(IDC_TEXT_GROUP));
    m_pTextGroup->setFrameShape(QFrame::Box);
    m_pTextGroup->setFrameShadow(QFrame::Plain);
    m_pTextGroup->setStyleSheet(QStringLiteral("QFrame { border: 1px solid #B4B4B4; border-radius: 3px; }"));

    struct Tool {
        int id;
        const char* tip;
        bool checkable;
    };
    static const Tool tools[] = {
        {IDC_UNDO, "한단계 뒤로", false},      {IDC_REDO, "한단계 앞으로", false},
        {IDC_ROTATE_LEFT, "왼쪽으로 회전", false}, {IDC_ROTATE_RIGHT, "오른쪽으로 회전", false},
        {IDC_MIRROR, "좌우바꾸기", false},      {IDC_FLIP, "상하바꾸기", false},
        {IDC_CROP, "잘라내기", true},          {IDC_SCREEN1, "대기화면1", true},
        {IDC_SCREEN2, "대기화면2", true},       {IDC_SCREEN_SIZE, "대기화면1", true},
        {IDC_BRIGHT, "밝기/대비", false},       {IDC_TEXT, "텍스트입력", true},
        {IDC_BOLD, "굵게", true},              {IDC_ITALIC, "이탤릭체", true},
        {IDC_UNDERLINE, "밑줄", true},         {IDC_SHADOW, "그림자", true},
    };
    for (const Tool& t : tools) MakeButton(t.id, QString::fromUtf8(t.tip), t.checkable, this);
    // Two tools share the tooltip "대기화면1"; the size button's accessible name says what it
    // leads to so that screen readers can tell them apart.
    m_buttons[IDC_SCREEN_SIZE]->setAccessibleName(QStringLiteral("대기화면 크기"));

    for (int id : {IDC_UNDO, IDC_REDO, IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT, IDC_MIRROR, IDC_FLIP})
        connect(m_buttons[id], &QPushButton::clicked, this, [this, id] { OnTool(id); });
    connect(m_buttons[IDC_CROP], &QPushButton::clicked, this, [this] { OnCrop(); });
    connect(m_buttons[IDC_SCREEN1], &QPushButton::clicked, this, [this] { OnScreen(IDC_SCREEN1); });
    connect(m_buttons[IDC_SCREEN2], &QPushButton::clicked, this, [this] { OnScreen(IDC_SCREEN2); });
    connect(m_buttons[IDC_SCREEN_SIZE], &QPushButton::clicked, this, [this] { OnScreenSize(); });
    connect(m_buttons[IDC_BRIGHT], &QPushButton::clicked, this, [this] { OnBright(); });
    connect(m_buttons[IDC_TEXT], &QPushButton::clicked, this, [this] { OnText(); });
    for (int id : {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_SHADOW})
        connect(m_buttons[id], &QPushButton::clicked, this, [this, id] {
            m_state.At(id).checked = m_buttons[id]->isChecked();
            OnFontChange();
        });

    m_pSizeCombo = new QComboBox(this);
    m_pSizeCombo->setObjectName(QString::number(IDC_SIZE_COMBO));
    m_pSizeCombo->setAccessibleName(QStringLiteral("대기화면 크기 목록"));
    connect(m_pSizeCombo, qOverload<int>(&QComboBox::activated), this, [this](int) { OnSizeComboSelect(); });

    QFont small = font();
    small.setPixelSize(11);
    m_pFontName = new QFontComboBox(this);
    m_pFontName->setObjectName(QString::number(IDC_FONT_NAME));
    m_pFontName->setAccessibleName(QStringLiteral("글꼴"));
    m_pFontName->setFont(small);
    m_pFontName->setWritingSystem(QFontDatabase::Korean);
    m_pFontName->setCurrentFont(QFont(QStringLiteral("굴림")));
    connect(m_pFontName, qOverload<int>(&QComboBox::activated), this, [this](int) { OnFontChange(); });
    // The narrow box shows the start of a long family name, not its end.
    connect(m_pFontName, &QComboBox::currentTextChanged, this, [this] {
        if (QLineEdit* line = m_pFontName->lineEdit()) line->setCursorPosition(0);
    });

    m_pColor = new CStColor(this);
    m_pColor->setObjectName(QString::number(IDC_COLOR));
    m_pColor->setAccessibleName(QStringLiteral("글자색"));
    m_pColor->setToolTip(QStringLiteral("글자색"));
    m_pColor->SetColor(RGB(0, 0, 0));
    m_pColor->SetOnChange([this](COLORREF c) { SendMessage(WM_EFFECT_COLOR, static_cast<WPARAM>(c), 0); });

    m_pSymbols = new CMLSpecialCharListCtrl(this);
    m_pSymbols->setObjectName(QString::number(IDC_SYMBOLS));
    m_pSymbols->SetNotifyTarget(this);
    m_pSymbols->Init(1);

    m_pFontSize = new QComboBox(this);
    m_pFontSize->setObjectName(QString::number(IDC_FONT_SIZE));
    m_pFontSize->setAccessibleName(QStringLiteral("글자 크기"));
    m_pFontSize->setFont(small);
    for (int s : FontSizes()) m_pFontSize->addItem(QString::number(s), s);
    m_pFontSize->setCurrentIndex(kFontSizeDefaultIndex);
    connect(m_pFontSize, qOverload<int>(&QComboBox::activated), this, [this](int) { OnFontSizeChange(); });
    m_pSizeCombo->setFont(small);

    CopyFaceName(m_logFont, m_pFontName->currentFont().family().toStdString());
    m_logFont.lfHeight = -m_nFontSize;

    m_pTextGroup->setAccessibleName(QStringLiteral("텍스트 도구"));
    if (QLineEdit* line = m_pFontName->lineEdit()) line->setCursorPosition(0);
    FillScreenSizes();
    ApplyState();
    NameInnerParts(this);
}

CDlgEffect::~CDlgEffect() = default;

CxSkinButtonEx* CDlgEffect::MakeButton(int id, const QString& tip, bool checkable, QWidget* parent) {
    auto* b = new CxSkinButtonEx(parent);
    b->setObjectName(QString::number(id));
    if (!b->SetSkinWithCount(id, 5)) {
        const CSize s = PlainSize(id);
        b->setFixedSize(static_cast<int>(s.cx), static_cast<int>(s.cy));
    }
    b->SetToolTipText(tip);
    b->setCheckable(checkable);
    b->setFocusPolicy(Qt::TabFocus);
    m_buttons[id] = b;
    return b;
}

CxSkinButtonEx* CDlgEffect::Button(int id) const {
    auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

CViewMainCore* CDlgEffect::Core() const {
    return m_pCanvas ? m_pCanvas->GetCore() : nullptr;
}

void CDlgEffect::FillScreenSizes() {
    m_pSizeCombo->clear();
    for (const std::string& s : ScreenSizeList(static_cast<int>(CGandry::m_enumModel)))
        m_pSizeCombo->addItem(QString::fromStdString(s));
    if (m_pSizeCombo->count() > 0) m_pSizeCombo->setCurrentIndex(0);
}

void CDlgEffect::ApplyState() {
    for (const auto& [id, button] : m_buttons) {
        const ControlState& s = m_state.Get(id);
        button->setEnabled(s.enabled);
        if (button->isCheckable()) button->setChecked(s.checked);
    }
    m_pSizeCombo->setEnabled(m_state.Get(IDC_SIZE_COMBO).enabled);
    m_pFontName->setEnabled(m_state.Get(IDC_FONT_NAME).enabled);
    m_pColor->setEnabled(m_state.Get(IDC_COLOR).enabled);
    m_pSymbols->setEnabled(m_state.Get(IDC_SYMBOLS).enabled);
    m_pFontSize->setEnabled(m_state.Get(IDC_FONT_SIZE).enabled);
}

void CDlgEffect::SetMode(int mode) {
    CViewMainCore* core = Core();
    m_state.SetMode(mode, core && core->CanUndo(), core && core->CanRedo());
    ApplyState();
}

void CDlgEffect::UpdateUndoRedo() {
    CViewMainCore* core = Core();
    m_state.SetUndoRedo(core && core->CanUndo(), core && core->CanRedo());
    ApplyState();
}

void CDlgEffect::SendMode(int mode) {
    if (CMsgTarget* main = AfxGetMainWnd()) main->SendMessage(WM_EFFECT_MODE, static_cast<WPARAM>(mode), 0);
}

void CDlgEffect::OnTool(int id) {
    CViewMainCore* core = Core();
    if (!core) return;
    switch (id) {
    case IDC_UNDO:
        if (core->CanUndo()) core->Undo();
        break;
    case IDC_REDO:
        if (core->CanRedo()) core->Redo();
        break;
    case IDC_ROTATE_LEFT:
        core->LeftRotate();
        break;
    case IDC_ROTATE_RIGHT:
        core->RightRotate();
        break;
    case IDC_MIRROR:
        core->Mirror();
        break;
    case IDC_FLIP:
        core->Flip();
        break;
    default:
        return;
    }
    UpdateUndoRedo();
}

void CDlgEffect::OnCrop() {
    CViewMainCore* core = Core();
    if (!core) {
        ApplyState();
        return;
    }
    SendMode(core->GetCurrentMode() != MODE_CROP ? 0 : 5);
    core->Crop();
    SetMode(core->GetCurrentMode());
}

void CDlgEffect::EnterLCD() {
    CViewMainCore* core = Core();
    core->SetModeChange(MODE_LCD);
    SendMode(1);
    core->InitScroll();
}

void CDlgEffect::LeaveLCD() {
    CViewMainCore* core = Core();
    core->SetModeChange(MODE_NORMAL);
    SendMode(5);
    core->UnInitScroll();
}

void CDlgEffect::OnScreen(int id) {
    CViewMainCore* core = Core();
    const int otherId = id == IDC_SCREEN1 ? IDC_SCREEN2 : IDC_SCREEN1;
    CxSkinButtonEx* button = m_buttons[id];
    if (!core) {
        ApplyState();
        return;
    }
    const bool on = button->isChecked();
    const bool otherOn = m_state.Get(otherId).checked;
    m_state.At(id).checked = on;
    if (on) {
        if (otherOn) {
            m_state.At(otherId).checked = false;
        } else if (m_state.Get(IDC_SCREEN_SIZE).checked) {
            // The size button was showing a size: this one takes over without leaving LCD mode.
            m_state.At(IDC_SCREEN_SIZE).checked = false;
            m_state.At(IDC_SIZE_COMBO).enabled = false;
        } else {
            EnterLCD();
        }
        if (id == IDC_SCREEN1)
            core->Setscreen1();
        else
            core->Setscreen2();
    }
    if (!m_state.Get(IDC_SCREEN1).checked && !m_state.Get(IDC_SCREEN2).checked) LeaveLCD();
    SetMode(core->GetCurrentMode());
}

void CDlgEffect::OnScreenSize() {
    CViewMainCore* core = Core();
    if (!core) {
        ApplyState();
        return;
    }
    const bool on = m_buttons[IDC_SCREEN_SIZE]->isChecked();
    m_state.At(IDC_SCREEN_SIZE).checked = on;
    if (on) {
        const bool inLCD = m_state.Get(IDC_SCREEN1).checked || m_state.Get(IDC_SCREEN2).checked;
        m_state.At(IDC_SCREEN1).checked = false;
        m_state.At(IDC_SCREEN2).checked = false;
        m_state.At(IDC_SIZE_COMBO).enabled = true;
        if (!inLCD) EnterLCD();
        CSize size;
        if (ParseScreenSize(m_pSizeCombo->currentText().toStdString(), size)) core->Setscreen(size);
        SetMode(core->GetCurrentMode());
        m_pSizeCombo->setFocus(Qt::OtherFocusReason);
    } else {
        m_state.At(IDC_SIZE_COMBO).enabled = false;
        LeaveLCD();
        SetMode(core->GetCurrentMode());
    }
}

void CDlgEffect::OnSizeComboSelect() {
    CViewMainCore* core = Core();
    CSize size;
    if (core && ParseScreenSize(m_pSizeCombo->currentText().toStdString(), size)) core->Setscreen(size);
}

void CDlgEffect::OnBright() {
    CViewMainCore* core = Core();
    if (!core || !m_pCanvas) return;
    core->SetRealMode(MODE_EFFECT);
    m_pCanvas->RepaintNow();
    int result;
    {
        CDlgBright dlg(core->GetEffectImage(), [this] { m_pCanvas->RepaintNow(); }, window());
        result = Runner() ? Runner()(dlg) : dlg.exec();
        if (result == IDOK) {
            m_pCanvas->SendMessage(WM_EFFECT_BRIGHT, static_cast<WPARAM>(static_cast<unsigned int>(dlg.GetBrightness())),
                                   static_cast<LPARAM>(dlg.GetContrast()));
            UpdateUndoRedo();
        }
    }
    core->SetRealMode(MODE_NORMAL);
    m_pCanvas->RepaintNow();
}

void CDlgEffect::OnText() {
    CViewMainCore* core = Core();
    const bool on = m_buttons[IDC_TEXT]->isChecked();
    m_state.At(IDC_TEXT).checked = on;
    if (!core) {
        ApplyState();
        return;
    }
    SendMode(on ? 2 : 5);
    core->Text(on ? 2 : 5);
    SetMode(core->GetCurrentMode());
}

void CDlgEffect::OnFontChange() {
    LOGFONTA face = m_logFont;
    CopyFaceName(face, m_pFontName->currentFont().family().toStdString());
    m_logFont = MakeFont(face, m_nFontSize, m_buttons[IDC_BOLD]->isChecked(), m_buttons[IDC_ITALIC]->isChecked(),
                         m_buttons[IDC_UNDERLINE]->isChecked());
    if (!m_pCanvas) return;
    if (cbTextWnd* text = m_pCanvas->GetTextWnd()) text->SetShadow(m_buttons[IDC_SHADOW]->isChecked());
    if (CViewMainCore* core = Core()) core->SetFontState(1);
    m_pCanvas->SetFont(m_logFont);
}

void CDlgEffect::OnFontSizeChange() {
    const int size = m_pFontSize->currentData().toInt();
    if (size <= 0 || size == m_nFontSize) return;
    m_nFontSize = size;
    OnFontChange();
}

LRESULT CDlgEffect::WindowProc(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_EFFECT_COLOR:
        if (m_pCanvas)
            if (cbTextWnd* text = m_pCanvas->GetTextWnd()) text->SetColor(static_cast<COLORREF>(wParam));
        OnFontChange();
        return 0;
    case CMLSpecialCharListCtrl::WM_SYMBOL_CHOSEN: {
        CViewMainCore* core = Core();
        if (!core || !wParam) return 0;
        const TEXTMODE mode = core->GetTextBox().GetMode();
        // Only a text being typed takes symbols.
        if (mode != TEXTMODE_EDIT && mode != TEXTMODE_REEDIT) return 0;
        m_pCanvas->CopyIntoClipboard(reinterpret_cast<const CString*>(wParam));
        m_pCanvas->PasteFromClipboard();
        return 0;
    }
    default:
        return 0;
    }
}

void CDlgEffect::resizeEvent(QResizeEvent*) {
    std::map<int, CSize> sizes;
    for (const auto& [id, button] : m_buttons) sizes[id] = CSize(button->width(), button->height());
    const int comboHeight = m_pSizeCombo->sizeHint().height();
    sizes[IDC_SIZE_COMBO] = CSize(90, comboHeight);
    sizes[IDC_FONT_NAME] = CSize(0, m_pFontName->sizeHint().height());
    sizes[IDC_FONT_SIZE] = CSize(80, m_pFontSize->sizeHint().height());
    const Layout l = CalcLayout(width(), sizes);
    auto place = [&l](QWidget* w, int id) {
        const CRect r = l.Get(id);
        w->setGeometry(r.left, r.top, r.Width(), r.Height());
    };
    for (const auto& [id, button] : m_buttons) place(button, id);
    place(m_pSizeCombo, IDC_SIZE_COMBO);
    place(m_pTextGroup, IDC_TEXT_GROUP);
    place(m_pFontName, IDC_FONT_NAME);
    place(m_pColor, IDC_COLOR);
    place(m_pSymbols, IDC_SYMBOLS);
    place(m_pFontSize, IDC_FONT_SIZE);
}

void CDlgEffect::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape belong to no one here.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
