#include "views/editor/cbTextWnd.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>

#include <cstdlib>
#include <cstring>

#include "imaging/extImage.h"

namespace {

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A 24-bit picture as a QImage for drawing (rows are stored bottom-up).
QImage ToQImage(const extImage& img) {
    const long w = img.GetWidth(), h = img.GetHeight();
    QImage out(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    if (img.GetBpp() != 24) return out;
    for (long y = 0; y < h; ++y) {
        const BYTE* s = img.GetBits(static_cast<DWORD>(h - 1 - y));
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(static_cast<int>(y)));
        for (long x = 0; x < w; ++x, s += 3) d[x] = qRgb(s[2], s[1], s[0]);
    }
    return out;
}

}  // namespace

CTextEditCtrl::CTextEditCtrl(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QString::number(IDC_TEXT_EDIT));
    setAccessibleName(QStringLiteral("텍스트"));
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    document()->setDocumentMargin(0);
}

void CTextEditCtrl::SetTextColor(COLORREF color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, ToQColor(color));
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
}

void CTextEditCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (m_onEscape) m_onEscape();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

cbTextWnd::cbTextWnd(cbText& state) : m_state(state) {
    m_logFont.lfHeight = -m_nFontHeight;
    m_font = FontFromLogFont(m_logFont);
}

cbTextWnd::~cbTextWnd() {
    delete m_pEdit.data();
}

QFont cbTextWnd::FontFromLogFont(const LOGFONTA& lf) {
    QFont f;
    const std::string face(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    if (!face.empty()) f.setFamily(QString::fromStdString(face));
    f.setPixelSize(std::max(1, static_cast<int>(std::labs(lf.lfHeight))));
    f.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    // Text pictures are keyed on one exact colour: smoothed edges would leave a pale fringe of
    // near-key pixels, so the glyphs are always drawn hard.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void cbTextWnd::CreateEdit(QWidget* parent, int screenX, int screenY, int x, int y, int width, int height) {
    m_state.SetLeftTop(CPoint(x, y));
    m_state.SetTextSize(CSize(width, height));
    if (!m_pEdit) {
        m_pEdit = new CTextEditCtrl(parent);
        m_pEdit->setFont(m_font);
        m_pEdit->SetTextColor(m_crText);
        m_pEdit->SetOnEscape([this] {
            if (m_onEscape)
                m_onEscape();
            else
                Release();
        });
        QObject::connect(m_pEdit.data(), &QPlainTextEdit::textChanged, m_pEdit.data(), [this] { OnTextChanged(); });
    } else if (m_pEdit->parentWidget() != parent && parent) {
        m_pEdit->setParent(parent);
    }
    m_pEdit->setGeometry(screenX, screenY, width, height);
    m_pEdit->show();
    m_pEdit->raise();
    m_pEdit->setFocus(Qt::OtherFocusReason);
}

void cbTextWnd::ModifyEdit(QWidget*, int screenX, int screenY, int width, int height) {
    if (!m_pEdit) return;
    m_pEdit->setGeometry(screenX, screenY, width + 20, height + 100);
}

void cbTextWnd::SetCurrentFont(const LOGFONTA* font) {
    if (!font) return;
    m_logFont = *font;
    m_nFontHeight = static_cast<int>(std::labs(font->lfHeight));
    m_font = FontFromLogFont(m_logFont);
    if (m_pEdit) m_pEdit->setFont(m_font);
}

bool cbTextWnd::ApplyFont(const LOGFONTA& font) {
    SetCurrentFont(&font);
    m_state.SetRebuild(true);
    if (m_state.GetMode() != TEXTMODE_PLACED) return false;
    RemakeTextImage();
    return true;
}

void cbTextWnd::SetColor(COLORREF color) {
    m_crText = color;
    if (m_pEdit) m_pEdit->SetTextColor(color);
}

void cbTextWnd::SetShadow(bool shadow) {
    m_bShadow = shadow;
}

void cbTextWnd::SetMode(TEXTMODE mode) {
    m_state.SetMode(mode);
    switch (mode) {
    case TEXTMODE_PLACED:
        if (m_pEdit) m_pEdit->hide();
        RemakeTextImage();
        break;
    case TEXTMODE_REEDIT:
        if (m_pEdit) {
            m_pEdit->show();
            m_pEdit->setFocus(Qt::OtherFocusReason);
        }
        break;
    default:
        break;
    }
}

int cbTextWnd::IsEmpty() const {
    if (!m_pEdit) return m_state.IsEmpty();
    return m_pEdit->toPlainText().isEmpty() ? 1 : 0;
}

void cbTextWnd::Paste(const char* text) {
    if (!m_pEdit || !text) return;
    const QString insert = QString::fromUtf8(text);
    const QString old = m_pEdit->toPlainText();
    QTextCursor cur = m_pEdit->textCursor();
    const int start = std::min(cur.selectionStart(), cur.selectionEnd());
    const int end = std::max(cur.selectionStart(), cur.selectionEnd());
    const QString now = old.left(start) + insert + old.mid(end);
    m_pEdit->setFocus(Qt::OtherFocusReason);
    m_pEdit->setPlainText(now);
    cur = m_pEdit->textCursor();
    cur.setPosition(start + static_cast<int>(insert.size()));
    m_pEdit->setTextCursor(cur);
    m_pEdit->ensureCursorVisible();
    Grow();
}

QSize cbTextWnd::MeasureText(const QFont& font, const QString& text) {
    if (text.isEmpty()) return QSize(0, 0);
    const QFontMetrics fm(font);
    return fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, text).size();
}

bool cbTextWnd::CalcGrow(int a, QSize client, QSize text, QSize& grown) {
    const int W = client.width(), H = client.height(), w = text.width(), h = text.height();
    bool change = false;
    int nw, nh;
    if (w <= W) {
        nw = w + a;
        change = true;
    } else if (w < W + a) {
        nw = W + a;
        change = true;
    } else {
        nw = w;
    }
    if (h <= H) {
        nh = h + a + 5;
        change = true;
    } else if (h < H + a) {
        nh = H + a + 5;
        change = true;
    } else {
        nh = h;
    }
    if (!change || a == 0) return false;
    grown = QSize(nw == 0 ? a : nw, nh == 0 ? a : nh);
    return true;
}

void cbTextWnd::Grow() {
    if (!m_pEdit) return;
    const QSize text = MeasureText(m_font, m_pEdit->toPlainText());
    QSize grown;
    if (!CalcGrow(m_nFontHeight, m_pEdit->viewport()->size(), text, grown)) return;
    m_state.SetTextSize(CSize(grown.width() + 20, grown.height() + 100));
    m_state.SetRebuild(true);
    m_pEdit->resize(grown);
}

void cbTextWnd::OnTextChanged() {
    if (m_bSyncing || !m_pEdit) return;
    m_state.SetText(m_pEdit->toPlainText().toStdString());
    Grow();
}

void cbTextWnd::RemakeTextImage() {
    if (!m_state.NeedsRebuild()) return;
    const QString text = m_pEdit ? m_pEdit->toPlainText() : QString::fromStdString(m_state.GetText());
    const QSize sz = MeasureText(m_font, text);
    const int w = sz.width() + 10, h = sz.height();
    m_state.SetTextSize(CSize(w, h));
    m_state.SetRebuild(false);
    if (h <= 0) {
        m_state.SetTextImage(nullptr);
        return;
    }

    QImage canvas(w, h, QImage::Format_RGB32);
    canvas.fill(ToQColor(kKeyColor));
    {
        QPainter p(&canvas);
        p.setFont(m_font);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
        if (m_bShadow) {
            p.setPen(ToQColor(kShadowColor));
            p.drawText(QRect(2, 2, w, h), flags, text);
        }
        p.setPen(ToQColor(m_crText));
        p.drawText(QRect(0, 0, w, h), flags, text);
    }
    auto* img = new extImage(static_cast<DWORD>(w), static_cast<DWORD>(h), 24);
    for (int y = 0; y < h; ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        BYTE* d = img->GetBits(static_cast<DWORD>(h - 1 - y));
        for (int x = 0; x < w; ++x, d += 3) {
            d[0] = static_cast<BYTE>(qBlue(s[x]));
            d[1] = static_cast<BYTE>(qGreen(s[x]));
            d[2] = static_cast<BYTE>(qRed(s[x]));
        }
    }
    img->SetTransIndex(0);
    RGBQUAD key{GetBValue(kKeyColor), GetGValue(kKeyColor), GetRValue(kKeyColor), 0};
    img->SetTransColor(key);
    // The new picture is made before the old one goes, so it never takes the old one's address
    // (a painter that caches by address would keep showing the old text).
    m_state.SetTextImage(img);
}

void cbTextWnd::Draw(QPainter& painter) const {
    if (m_state.GetMode() != TEXTMODE_PLACED || !m_state.GetTextImage()) return;
    const QImage img = ToQImage(*m_state.GetTextImage());
    const CRect r = m_state.GetScreenRect();
    // The key colour shows as nothing: mask it out before drawing.
    QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(GetRValue(kKeyColor), GetGValue(kKeyColor), GetBValue(kKeyColor));
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if ((line[x] | 0xFF000000u) == key) line[x] = 0;
    }
    painter.drawImage(QRect(r.left, r.top, r.Width(), r.Height()), argb);
}

bool cbTextWnd::SyncWithState() {
    bool changed = false;
    switch (m_state.GetMode()) {
    case TEXTMODE_PLACED:
        if (m_pEdit && m_pEdit->isVisible()) {
            m_pEdit->hide();
            changed = true;
        }
        if (m_state.NeedsRebuild() || !m_state.GetTextImage()) {
            m_state.SetRebuild(true);
            RemakeTextImage();
            changed = true;
        }
        break;
    case TEXTMODE_NONE:
        if (m_pEdit && (m_pEdit->isVisible() || !m_pEdit->toPlainText().isEmpty())) {
            m_bSyncing = true;
            m_pEdit->clear();
            m_bSyncing = false;
            m_pEdit->hide();
            changed = true;
        }
        break;
    case TEXTMODE_MERGED:
        if (m_pEdit && m_pEdit->isVisible()) {
            m_pEdit->hide();
            changed = true;
        }
        break;
    default:
        break;
    }
    return changed;
}

void cbTextWnd::Release() {
    m_state.Release();
    if (m_pEdit) {
        m_bSyncing = true;
        m_pEdit->clear();
        m_bSyncing = false;
        m_pEdit->hide();
    }
}

void cbTextWnd::CopyIntoClipboard(const CString& text) {
    if (QClipboard* cb = QGuiApplication::clipboard()) cb->setText(QString::fromStdString(text));
}

bool cbTextWnd::PasteFromClipboard() {
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb) return false;
    const QString text = cb->text();
    if (text.isEmpty()) return false;
    Paste(text.toUtf8().constData());
    return true;
}
