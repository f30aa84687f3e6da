#include "views/controls/MessageBoxDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QThread>

#include "platform/brelt/Brelt.h"
#include "views/controls/StBitmap.h"
#include "views/controls/StaticEx.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

std::function<void(UINT)> g_helpOpener;

// The plain icon drawn when the resource library has none: a red stop sign, a blue question
// mark or letter i, or a yellow warning triangle.
QImage PlainIcon(int iconId) {
    const int s = CMessageBoxLogic::kIconSize;
    QImage img(s, s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont f;
    f.setPixelSize(38);
    f.setBold(true);
    p.setFont(f);
    const QRectF box(4, 4, s - 8, s - 8);
    QString mark;
    if (iconId == CMessageBoxLogic::kIconExclamation) {
        QPainterPath tri;
        tri.moveTo(s / 2.0, 5);
        tri.lineTo(s - 4, s - 7);
        tri.lineTo(4, s - 7);
        tri.closeSubpath();
        p.setPen(QPen(QColor(0xB8, 0x86, 0x00), 2));
        p.setBrush(QColor(0xFF, 0xC8, 0x2E));
        p.drawPath(tri);
        p.setPen(QColor(0x30, 0x30, 0x30));
        p.drawText(QRectF(0, 14, s, s - 22), Qt::AlignCenter, QStringLiteral("!"));
        return img;
    }
    QColor fill = QColor(0x2F, 0x6F, 0xC4);
    if (iconId == CMessageBoxLogic::kIconHand) {
        fill = QColor(0xD0, 0x2E, 0x2E);
        mark = QStringLiteral("×");
    } else if (iconId == CMessageBoxLogic::kIconQuestion) {
        mark = QStringLiteral("?");
    } else {
        mark = QStringLiteral("i");
    }
    p.setPen(QPen(fill.darker(130), 2));
    p.setBrush(fill);
    p.drawEllipse(box);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, mark);
    return img;
}

// Dialog base units from the font, as Windows derives them: the average width of the 52 Latin
// letters, rounded, and the character height.
CSize BaseUnits(const QFont& font) {
    const QFontMetrics fm(font);
    const int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {std::max(1, (letters / 26 + 1) / 2), std::max(1, fm.height())};
}

}  // namespace

CMessageBoxDialog::CMessageBoxDialog(QWidget* parent, const std::string& message, const std::string& title, UINT style,
                                     UINT helpId)
    : CBaseDialog(parent), m_strMessage(message), m_strTitle(title), m_nStyle(style), m_nHelpId(helpId) {
    setModal(true);
}

CMessageBoxDialog::~CMessageBoxDialog() = default;

void CMessageBoxDialog::SetMessage(int stringId) {
    m_strMessage = CBrelt::String(stringId).toStdString();
}

void CMessageBoxDialog::SetTitle(int stringId) {
    m_strTitle = stringId ? CBrelt::String(stringId).toStdString() : std::string();
}

std::string CMessageBoxDialog::GetTitle() const {
    if (!m_strTitle.empty()) return m_strTitle;
    return QGuiApplication::applicationDisplayName().toStdString();
}

void CMessageBoxDialog::SetMessageIcon(int iconId) {
    m_icon = CBrelt::Icon(iconId);
}

void CMessageBoxDialog::SetHelpOpener(std::function<void(UINT)> opener) {
    g_helpOpener = std::move(opener);
}

QString CMessageBoxDialog::Label(int labelId) {
    const QString text = CBrelt::String(labelId);
    if (!text.isEmpty()) return text;
    return QString::fromStdString(CMessageBoxLogic::DefaultLabel(labelId));
}

CxSkinButtonEx* CMessageBoxDialog::ButtonOf(int id) const {
    for (std::size_t i = 0; i < m_buttons.size() && i < m_pButtons.size(); ++i)
        if (m_buttons[i].id == id) return m_pButtons[i];
    return nullptr;
}

QImage CMessageBoxDialog::IconImage() const {
    const int s = CMessageBoxLogic::kIconSize;
    if (!m_icon.isNull()) return m_icon.pixmap(QSize(s, s)).toImage();
    const int id = CMessageBoxLogic::IconOf(m_nStyle);
    if (id == 0) return {};
    const QIcon icon = CBrelt::Icon(id);
    if (!icon.isNull()) return icon.pixmap(QSize(s, s)).toImage();
    return PlainIcon(id);
}

void CMessageBoxDialog::Initialise() {
    if (m_bInitialised) return;
    m_bInitialised = true;

    setWindowTitle(QString::fromStdString(GetTitle()));
    const CMessageBoxLogic::Buttons table = CMessageBoxLogic::ButtonsOf(m_nStyle);
    m_buttons = table.buttons;
    m_nDefault = table.defaultId;
    m_nCancel = table.cancelId;

    const QImage iconImage = IconImage();
    if (!iconImage.isNull()) {
        m_pIcon = new CStBitmap(this);
        m_pIcon->SetBitmapImage(iconImage);
        m_pIcon->setAccessibleName(QStringLiteral("아이콘"));
    }

    QString text = QString::fromStdString(m_strMessage);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_pMessage = new CStaticEx(text, this);
    m_pMessage->setWordWrap(true);
    m_pMessage->setAlignment((m_nStyle & CMessageBoxLogic::kRight) ? (Qt::AlignRight | Qt::AlignTop)
                                                                   : (Qt::AlignLeft | Qt::AlignTop));
    if (m_nStyle & CMessageBoxLogic::kRtlReading) m_pMessage->setLayoutDirection(Qt::RightToLeft);
    m_pMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const QImage skin = CBrelt::Bitmap(CMessageBoxLogic::kButtonSkin);
    const QFontMetrics fm(font());
    CSize label;
    for (const auto& b : m_buttons) {
        auto* button = new CxSkinButtonEx(Label(b.labelId), this);
        if (!skin.isNull()) button->SetSkinWithCount(skin, CMessageBoxLogic::kButtonSkinStates);
        button->setAutoDefault(true);
        const int id = b.id;
        connect(button, &QPushButton::clicked, this, [this, id] { OnButton(id); });
        m_pButtons.push_back(button);
        label.cx = std::max<LONG>(label.cx, fm.horizontalAdvance(button->text()));
        label.cy = std::max<LONG>(label.cy, fm.height());
    }

    const CSize base = BaseUnits(font());
    m_scale = CMessageBoxLogic::DialogScale(base.cx, base.cy);
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;

    CMessageBoxLogic::LayoutInput in;
    in.scale = m_scale;
    in.screenWidth = screenWidth;
    if (m_pIcon) in.icon = CSize(iconImage.width(), iconImage.height());
    m_nWrapWidth = CMessageBoxLogic::WrapWidth(screenWidth, in.icon.cx, m_scale);
    const QSize measured = CStaticEx::MeasureText(m_pMessage->font(), text, m_nWrapWidth);
    in.message = CSize(measured.width(), measured.height());
    in.label = label;
    in.buttonCount = static_cast<int>(m_buttons.size());
    in.buttonsRight = (m_nStyle & CMessageBoxLogic::kButtonsRight) != 0;
    m_layout = CMessageBoxLogic::Arrange(in);

    SetClientSize(m_layout.client.cx, m_layout.client.cy);
    auto place = [this](QWidget* w, const CRect& r) { PlaceChild(w, r.left, r.top, r.Width(), r.Height()); };
    if (m_pIcon) place(m_pIcon, m_layout.icon);
    place(m_pMessage, m_layout.message);
    for (std::size_t i = 0; i < m_pButtons.size() && i < m_layout.buttons.size(); ++i)
        place(m_pButtons[i], m_layout.buttons[i]);
    CenterWindow(parentWidget());

    if (!(m_nStyle & CMessageBoxLogic::kNoSound) && (m_nStyle & MB_ICONMASK)) QApplication::beep();
    if (m_nStyle & CMessageBoxLogic::kSystemModal) setWindowModality(Qt::ApplicationModal);
    if (m_nStyle & CMessageBoxLogic::kTopmost) setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Without a cancel answer closing the window does nothing, so its button is greyed.
    CloseButton()->setEnabled(m_nCancel != -1);

    if (CxSkinButtonEx* def = ButtonOf(m_nDefault)) {
        def->setDefault(true);
        def->setFocus(Qt::OtherFocusReason);
    }
    setAccessibleName(QString::fromStdString(GetTitle()));
    setAccessibleDescription(text);
}

int CMessageBoxDialog::DoModal() {
    Initialise();
    return exec();
}

void CMessageBoxDialog::setVisible(bool visible) {
    if (visible) Initialise();
    CBaseDialog::setVisible(visible);
}

void CMessageBoxDialog::showEvent(QShowEvent* event) {
    CBaseDialog::showEvent(event);
    if (CxSkinButtonEx* def = ButtonOf(m_nDefault)) def->setFocus(Qt::OtherFocusReason);
    if (m_nStyle & CMessageBoxLogic::kSetForeground) {
        raise();
        activateWindow();
    }
}

void CMessageBoxDialog::changeEvent(QEvent* event) {
    CBaseDialog::changeEvent(event);
    // The window manager may activate the box after it was shown; the default button takes the
    // focus then unless a button already has it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        QWidget* f = QApplication::focusWidget();
        if (!f || !isAncestorOf(f))
            if (CxSkinButtonEx* def = ButtonOf(m_nDefault)) def->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void CMessageBoxDialog::OnButton(int id) {
    if (id == CMessageBoxLogic::kIdHelp) {
        if (g_helpOpener) g_helpOpener(m_nHelpId);
        return;
    }
    done(id);
}

void CMessageBoxDialog::reject() {
    if (m_nCancel != -1) done(m_nCancel);
}

void CMessageBoxDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        int id = m_nDefault;
        for (std::size_t i = 0; i < m_pButtons.size(); ++i)
            if (m_pButtons[i]->hasFocus()) id = m_buttons[i].id;
        if (id != -1) OnButton(id);
        event->accept();
        return;
    }
    const bool ctrlBreak =
        key == Qt::Key_Cancel || (key == Qt::Key_Pause && (event->modifiers() & Qt::ControlModifier));
    if (key == Qt::Key_Escape || ctrlBreak) {
        reject();
        event->accept();
        return;
    }
    CBaseDialog::keyPressEvent(event);
}

MessageBoxHandler InstallMessageBoxDialog(const std::string& caption, std::function<UINT(UINT)> adjustStyle) {
    auto show = [caption, adjustStyle](const std::string& text, UINT style, UINT helpId) -> int {
        if (adjustStyle) style = adjustStyle(style);
        // Without a widget application there is nothing to show the box on.
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return CMessageBoxLogic::ButtonsOf(style).defaultId;
        auto run = [&]() -> int {
            QWidget* owner = QApplication::activeModalWidget();
            if (!owner) owner = QApplication::activeWindow();
            if (!owner) owner = dynamic_cast<QWidget*>(AfxGetMainWnd());
            CMessageBoxDialog box(owner, text, caption, style, helpId);
            return box.DoModal();
        };
        if (QThread::currentThread() == QCoreApplication::instance()->thread()) return run();
        int result = 0;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { result = run(); }, Qt::BlockingQueuedConnection);
        return result;
    };
    return AfxSetMessageBoxHandler(show);
}
