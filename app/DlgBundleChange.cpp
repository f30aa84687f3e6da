#include "app/DlgBundleChange.h"

#include "app/DlgCommon.h"

using namespace dlgui;

CDlgBundleChange::CDlgBundleChange(int album, QWidget* parent) : CBaseDialog(parent), m_nAlbum(album) {
    setWindowTitle(QStringLiteral("일괄 이름 바꾸기"));
    setAccessibleName(windowTitle());

    // Assistive technology names a combo box by its current text; the labels tell what each is.
    CStaticEx* targetLabel = TextStatic(this, QStringLiteral("대상"));
    PlaceChild(targetLabel, 15, 15, 40, 20);
    m_pTarget = new QComboBox(this);
    targetLabel->setBuddy(m_pTarget);
    m_pTarget->addItems({QStringLiteral("파일이름"), QStringLiteral("제목")});
    m_pTarget->setAccessibleName(QStringLiteral("대상"));
    PlaceChild(m_pTarget, 60, 13, 120, 22);
    CStaticEx* kindLabel = TextStatic(this, QStringLiteral("종류"));
    PlaceChild(kindLabel, 205, 15, 40, 20);
    m_pKind = new QComboBox(this);
    kindLabel->setBuddy(m_pKind);
    m_pKind->setAccessibleName(QStringLiteral("종류"));
    PlaceChild(m_pKind, 250, 13, 135, 22);

    m_pText = new QLineEdit(this);
    m_pText->setAccessibleName(QStringLiteral("텍스트"));
    PlaceChild(m_pText, 15, 50, 370, 22);
    m_p7044 = new QCheckBox(QStringLiteral("번호 붙이기"), this);
    PlaceChild(m_p7044, 15, 80, 200, 20);

    m_p7045 = new QCheckBox(QStringLiteral("날짜포함"), this);
    m_p7047 = new QRadioButton(QStringLiteral("20261207"), this);
    m_p7048 = new QRadioButton(QStringLiteral("2026_12_07"), this);
    m_p7046 = new QCheckBox(QStringLiteral("시간포함"), this);
    m_p7049 = new QRadioButton(QStringLiteral("AM 093000"), this);
    m_p7050 = new QRadioButton(QStringLiteral("093000"), this);
    m_p7051 = new QCheckBox(QStringLiteral("번호 붙이기"), this);
    m_p7047->setAccessibleName(QStringLiteral("날짜 붙여쓰기"));
    m_p7048->setAccessibleName(QStringLiteral("날짜 밑줄 구분"));
    m_p7049->setAccessibleName(QStringLiteral("시간 오전/오후"));
    m_p7050->setAccessibleName(QStringLiteral("시간 24시간"));
    for (QCheckBox* c : {m_p7044, m_p7045, m_p7046, m_p7051}) c->setAccessibleName(c->text());
    PlaceChild(m_p7045, 15, 50, 100, 20);
    PlaceChild(m_p7047, 125, 50, 120, 20);
    PlaceChild(m_p7048, 255, 50, 130, 20);
    PlaceChild(m_p7046, 15, 80, 100, 20);
    PlaceChild(m_p7049, 125, 80, 120, 20);
    PlaceChild(m_p7050, 255, 80, 130, 20);
    PlaceChild(m_p7051, 15, 110, 200, 20);
    auto* dates = new QButtonGroup(this);
    dates->addButton(m_p7047);
    dates->addButton(m_p7048);
    auto* times = new QButtonGroup(this);
    times->addButton(m_p7049);
    times->addButton(m_p7050);

    m_pOk = SkinButton(this, QStringLiteral("확인"));
    m_pCancel = SkinButton(this, QStringLiteral("취소"));
    m_pOk->setDefault(true);

    connect(m_pTarget, &QComboBox::currentIndexChanged, this, [this](int i) { OnTarget(i); });
    connect(m_pKind, &QComboBox::currentIndexChanged, this, [this](int i) { OnKind(i); });
    connect(m_pText, &QLineEdit::textEdited, this, [this](const QString& t) { OnTextEdited(t); });
    connect(m_p7044, &QCheckBox::toggled, this, [this](bool on) { m_logic.m_bOption7044 = on; });
    connect(m_p7051, &QCheckBox::toggled, this, [this](bool on) { m_logic.m_bOption7051 = on; });
    connect(m_p7045, &QCheckBox::toggled, this, [this](bool on) { m_logic.m_bDate = on; });
    connect(m_p7046, &QCheckBox::toggled, this, [this](bool on) { m_logic.m_bTime = on; });
    connect(m_p7047, &QRadioButton::toggled, this, [this](bool on) { m_logic.m_bDateForm = on ? 1 : 0; });
    connect(m_p7049, &QRadioButton::toggled, this, [this](bool on) { m_logic.m_bTimeForm = on ? 1 : 0; });
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_p7047->setChecked(true);
    m_p7049->setChecked(true);
    OnTarget(0);
}

QCheckBox* CDlgBundleChange::Check(int id) const {
    switch (id) {
        case 7044:
            return m_p7044;
        case 7045:
            return m_p7045;
        case 7046:
            return m_p7046;
        case 7051:
            return m_p7051;
        default:
            return nullptr;
    }
}

QRadioButton* CDlgBundleChange::Radio(int id) const {
    switch (id) {
        case 7047:
            return m_p7047;
        case 7048:
            return m_p7048;
        case 7049:
            return m_p7049;
        case 7050:
            return m_p7050;
        default:
            return nullptr;
    }
}

void CDlgBundleChange::OnTarget(int index) {
    m_logic.SetTarget(index);
    m_bFilling = true;
    m_pKind->clear();
    for (const CString& k : m_logic.KindTexts()) m_pKind->addItem(Q(k));
    m_pKind->setCurrentIndex(0);
    m_bFilling = false;
    // A text longer than the new target allows is cut now, not when OK is pressed.
    if (!m_pText->text().isEmpty()) OnTextEdited(m_pText->text());
    ShowState();
}

void CDlgBundleChange::OnKind(int index) {
    if (m_bFilling || index < 0) return;
    m_logic.SetKindIndex(index);
    ShowState();
}

void CDlgBundleChange::OnTextEdited(const QString& text) {
    const CString cut = m_logic.LimitText(S(text));
    if (cut.size() != text.toStdString().size()) m_pText->setText(Q(cut));
    m_logic.m_strText = cut;
}

void CDlgBundleChange::ShowState() {
    const bool locked = m_logic.OptionsLocked();
    m_p7044->setChecked(m_logic.m_bOption7044);
    m_p7051->setChecked(m_logic.m_bOption7051);
    m_p7044->setEnabled(!locked);
    m_p7051->setEnabled(!locked);

    const CBundleChangeLogic::Layout l = m_logic.GetLayout();
    for (QWidget* w : {static_cast<QWidget*>(m_pText), static_cast<QWidget*>(m_p7044)}) w->setVisible(l.showText);
    for (QWidget* w : std::initializer_list<QWidget*>{m_p7045, m_p7046, m_p7047, m_p7048, m_p7049, m_p7050, m_p7051})
        w->setVisible(l.showDateTime);
    PlaceChild(m_pOk, 220, l.buttonY, 80, 22);
    PlaceChild(m_pCancel, 310, l.buttonY, 80, 22);
    resize(kWidth, l.height);
}

void CDlgBundleChange::OnOK() {
    m_logic.m_strText = S(m_pText->text());
    bool focusText = false;
    if (!m_logic.Decide(focusText)) {
        if (focusText) m_pText->setFocus();
        return;
    }
    accept();
}
