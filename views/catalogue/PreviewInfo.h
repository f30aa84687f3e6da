// CPreviewInfo: a panel of three lines (four in look 1), each a label and a value, such as the
// size, data size and frame count under the animation preview.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include <array>

#include "platform/win/windef.h"

class CPreviewInfo : public QWidget {
public:
    enum E_LOOK { LOOK_ROUND = 0, LOOK_PLAIN = 1 };

    explicit CPreviewInfo(QWidget* parent = nullptr);

    // Replaces the label font.
    void SetLogFont(const QFont& font);
    void SetLeftString(const CString& a, const CString& b, const CString& c, const CString& d = CString());
    void SetInfo1(const CString& value);
    void SetInfo2(const CString& value);
    void SetInfo3(const CString& value);
    void SetInfo4(const CString& value);
    void SetLook(E_LOOK look);
    E_LOOK GetLook() const { return m_look; }
    void SetColorVar(COLORREF frame, COLORREF background);
    COLORREF GetFrameColor() const { return m_crFrame; }
    COLORREF GetBackColor() const { return m_crBack; }
    // Where the value column starts, as a fraction of the line width.
    void SetAmount(float amount);
    float GetAmount() const { return m_fAmount; }

    QString GetLabel(int line) const;
    QString GetValue(int line) const;
    // Line rectangles for the current size (line 3 is empty outside look 1).
    CRect GetLineRect(int line) const;
    // The part of a line where the value is drawn.
    CRect GetValueRect(int line) const;
    int GetLineCount() const { return m_look == LOOK_PLAIN ? 4 : 3; }

    // The lines of a panel w × h with text height L in `look`.
    static std::array<CRect, 4> LayoutLines(int w, int h, int textHeight, E_LOOK look);
    // The value part of `line` with the value column at `amount` of its width.
    static CRect ValueRect(const CRect& line, float amount);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void UpdateDescription();

    int m_nTextHeight = 12;
    QFont m_font;
    std::array<QString, 4> m_labels;
    std::array<QString, 4> m_values;
    E_LOOK m_look = LOOK_ROUND;
    COLORREF m_crFrame = 0;
    COLORREF m_crBack = 0xFFFFFF;
    float m_fAmount = 0.5f;
};
