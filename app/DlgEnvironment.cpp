#include "app/DlgEnvironment.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

#include "app/WorkControls.h"
#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "views/controls/xSkinButtonEx.h"

#include "app/SwatchStrip.h"

namespace {

constexpr int kWidth = 380;
constexpr int kHeight = 200;
constexpr int kButtonSkin = 7516;

void Identify(QWidget* widget, int id) {
    widget->setObjectName(QString::number(id));
    widget->setProperty("controlId", id);
}

}  // namespace

CDlgEnvironment::CDlgEnvironment(int show, COLORREF background, int model, BOOL autoUpgrade, QWidget* parent)
    : CBaseDialog(parent), m_choice(show, background, model, autoUpgrade) {
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("환경설정"));
    setFont(WorkLook::Font());
    SetBackColor(WorkLook::kPanelBack);
    SetClientSize(kWidth, kHeight);
    setFixedSize(size());

    auto* showLabel = new QLabel(QStringLiteral("보기 방식"), this);
    Identify(showLabel, IDC_SHOW_LABEL);
    PlaceChild(showLabel, 20, 22, 70, 16);
    m_pShow = new QButtonGroup(this);
    const struct {
        int id;
        int mode;
        const char* text;
        int x;
    } radios[] = {{IDC_SHOW_FILENAME, 0, "파일이름", 100},
                  {IDC_SHOW_TITLE, 1, "제목", 190},
                  {IDC_SHOW_KEYWORD, 2, "키워드", 260}};
    for (const auto& r : radios) {
        auto* radio = new QRadioButton(QString::fromUtf8(r.text), this);
        Identify(radio, r.id);
        PlaceChild(radio, r.x, 20, 80, 20);
        m_pShow->addButton(radio, r.mode);
    }

    m_pColorLabel = new QLabel(QStringLiteral("배경 색상"), this);
    Identify(m_pColorLabel, IDC_COLOR_LABEL);
    PlaceChild(m_pColorLabel, 20, 57, 70, 16);
    m_pSwatches = new CSwatchStrip(CEnvironmentChoice::kColorCount, this);
    m_pSwatches->SetNames(SwatchNames());
    m_pSwatches->onChoose = [this](int index) { ChooseColor(index); };
    const QRect first = SwatchRect(0);
    m_pSwatches->setGeometry(first.left(), first.top(), first.width() * CEnvironmentChoice::kColorCount,
                             first.height());

    auto* modelLabel = new QLabel(QStringLiteral("폰 모델"), this);
    Identify(modelLabel, IDC_MODEL_LABEL);
    PlaceChild(modelLabel, 20, 93, 70, 16);
    m_pModel = new QComboBox(this);
    Identify(m_pModel, IDC_MODEL);
    PlaceChild(m_pModel, 100, 90, 150, 22);
    // Qt names a combo box by its current text; the label carries the name.
    modelLabel->setBuddy(m_pModel);
    CStringList models;
    CGandry::GetSupportModel(&models);
    for (const auto& name : models) m_pModel->addItem(QString::fromStdString(name));
    // The list is positioned by index = model, as the frame's own list is.
    m_pModel->setCurrentIndex(model >= 0 && model < m_pModel->count() ? model : -1);

    m_pAuto = new QCheckBox(QStringLiteral("자동 업그레이드"), this);
    Identify(m_pAuto, IDC_AUTO);
    PlaceChild(m_pAuto, 20, 127, 200, 20);

    CxSkinButtonEx* defaults = MakeSkinButton(this, IDC_DEFAULTS, kButtonSkin, {}, QStringLiteral("기본값"));
    CxSkinButtonEx* ok = MakeSkinButton(this, IDOK, kButtonSkin, {}, QStringLiteral("확인"));
    CxSkinButtonEx* cancel = MakeSkinButton(this, IDCANCEL, kButtonSkin, {}, QStringLiteral("취소"));
    const int y = kHeight - 15 - ok->height();
    PlaceChild(defaults, 20, y, defaults->width(), defaults->height());
    PlaceChild(cancel, kWidth - 20 - cancel->width(), y, cancel->width(), cancel->height());
    PlaceChild(ok, kWidth - 30 - cancel->width() - ok->width(), y, ok->width(), ok->height());
    ok->setDefault(true);

    ShowChoice();

    QObject::connect(m_pShow, &QButtonGroup::idClicked, this, [this](int mode) { m_choice.SetShowMode(mode); });
    QObject::connect(m_pModel, &QComboBox::currentTextChanged, this,
                     [this](const QString& text) { m_choice.SetModelByName(text.toStdString()); });
    QObject::connect(m_pAuto, &QCheckBox::toggled, this, [this](bool on) { m_choice.SetAutoUpgrade(on); });
    QObject::connect(defaults, &QAbstractButton::clicked, this, [this] { OnDefaults(); });
    QObject::connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    QObject::connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

CDlgEnvironment::~CDlgEnvironment() {
    ::SendMessage(AfxGetMainWnd(), WM_THUMB_REPAINT);
}

void CDlgEnvironment::ShowChoice() {
    if (QAbstractButton* radio = m_pShow->button(m_choice.ShowMode())) radio->setChecked(true);
    m_pAuto->setChecked(m_choice.AutoUpgrade() != FALSE);
    m_pSwatches->SetChosen(m_choice.ColorIndex());
    update();
}

CRect CDlgEnvironment::ColorLabelRect() const {
    const QRect g = m_pColorLabel->geometry();
    return CRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

QRect CDlgEnvironment::SwatchRect(int index) const {
    const CRect r = CEnvironmentChoice::SwatchRect(ColorLabelRect(), index);
    return QRect(r.left, r.top, r.Width(), r.Height());
}

void CDlgEnvironment::ClickAt(QPoint point) {
    ChooseColor(CEnvironmentChoice::SwatchAt(ColorLabelRect(), CPoint(point.x(), point.y())));
}

void CDlgEnvironment::ChooseColor(int index) {
    if (!m_choice.SetColorIndex(index)) return;
    m_pSwatches->SetChosen(index);
    update();
}

QStringList CDlgEnvironment::SwatchNames() {
    QStringList names{QStringLiteral("흰색")};
    for (int i = 1; i < CEnvironmentChoice::kColorCount; ++i) names << QStringLiteral("회색 %1").arg(i);
    return names;
}

void CDlgEnvironment::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ClickAt(event->position().toPoint());
    CBaseDialog::mousePressEvent(event);
}

void CDlgEnvironment::OnDefaults() {
    m_choice.Defaults();
    ShowChoice();
}

void CDlgEnvironment::paintEvent(QPaintEvent* event) {
    CBaseDialog::paintEvent(event);
    QPainter painter(this);
    const auto& table = CEnvironmentChoice::ColorTable();
    for (int i = 0; i < CEnvironmentChoice::kColorCount; ++i) {
        painter.fillRect(SwatchRect(i), WorkLook::Color(table[static_cast<size_t>(i)]));
    }
    // The chosen swatch: its own colour inside a 2-pixel outline.
    const QRect chosen = SwatchRect(m_choice.ColorIndex());
    painter.setPen(QPen(WorkLook::Color(kChosenOutline), 2));
    painter.setBrush(WorkLook::Color(m_choice.Color()));
    painter.drawRect(chosen.adjusted(1, 1, -1, -1));
}
