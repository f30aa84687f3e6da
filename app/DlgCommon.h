// Building blocks shared by the shell's dialogs: skinned push buttons (bitmap 7516, five
// states) and black-on-grey text statics, each with its accessible name.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

#include "platform/brelt/Brelt.h"
#include "platform/win/codepage.h"
#include "platform/win/windef.h"
#include "views/controls/BaseDialog.h"
#include "views/controls/StaticEx.h"
#include "views/controls/xSkinButtonEx.h"

namespace dlgui {

constexpr int kButtonSkin = 7516;
constexpr int kButtonStates = 5;

inline CxSkinButtonEx* SkinButton(QWidget* parent, const QString& text) {
    auto* b = new CxSkinButtonEx(text, parent);
    const QImage skin = CBrelt::Bitmap(kButtonSkin);
    if (!skin.isNull()) b->SetSkinWithCount(skin, kButtonStates);
    b->setAccessibleName(text);
    return b;
}

inline CStaticEx* TextStatic(QWidget* parent, const QString& text, COLORREF back = RGB(0xED, 0xED, 0xED)) {
    auto* s = new CStaticEx(text, parent);
    s->SetTextColor(RGB(0, 0, 0));
    s->SetBkColor(back);
    s->setAccessibleName(text);
    return s;
}

// An edit limit counted in code page 949 bytes, as the Korean ANSI edit control counted it.
class CCp949Limit : public QValidator {
public:
    CCp949Limit(int maxBytes, QObject* parent) : QValidator(parent), m_nMax(maxBytes) {}
    State validate(QString& input, int&) const override {
        return static_cast<int>(win::Cp949Length(input.toStdString())) <= m_nMax ? Acceptable : Invalid;
    }

private:
    int m_nMax;
};

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string S(const QString& s) {
    return s.toStdString();
}

// The one-line name dialogs (a new album, a new keyword): a label, an edit of at most 20 bytes,
// OK and Cancel, laid out alike. The dialog connects OK to its own check.
struct NameForm {
    CStaticEx* label;
    QLineEdit* edit;
    CxSkinButtonEx* ok;
    CxSkinButtonEx* cancel;
};

inline NameForm BuildNameForm(CBaseDialog* dlg, const QString& label) {
    dlg->setAccessibleName(dlg->windowTitle());
    dlg->SetClientSize(300, 80);
    NameForm f;
    f.label = TextStatic(dlg, label);
    dlg->PlaceChild(f.label, 15, 15, 70, 20);
    f.edit = new QLineEdit(dlg);
    f.edit->setAccessibleName(label);
    f.edit->setValidator(new CCp949Limit(20, f.edit));
    dlg->PlaceChild(f.edit, 90, 13, 195, 22);
    f.ok = SkinButton(dlg, QStringLiteral("확인"));
    f.cancel = SkinButton(dlg, QStringLiteral("취소"));
    dlg->PlaceChild(f.ok, 105, 48, 85, 24);
    dlg->PlaceChild(f.cancel, 200, 48, 85, 24);
    f.ok->setDefault(true);
    QObject::connect(f.cancel, &QPushButton::clicked, dlg, &QDialog::reject);
    f.edit->setFocus();
    return f;
}

}  // namespace dlgui
