// CEditNumeric: an edit box that can be held to numbers. It accepts any text until
// SetNumeric(true) (the album strip uses it for names); Escape and losing the focus reach the
// owner through callbacks.
#pragma once

#include <QLineEdit>

#include <functional>

class CEditNumeric : public QLineEdit {
public:
    explicit CEditNumeric(QWidget* parent = nullptr);

    // Digits only (with a leading minus when negatives are allowed).
    void SetNumeric(bool numeric, bool allowNegative = false);
    bool IsNumeric() const { return m_bNumeric; }
    // Character limit; 0 removes it.
    void SetLimitText(int characters);
    // The number typed; 0 when the text is no number.
    int GetValue() const;
    void SetValue(int value);

    void SetOnEnter(std::function<void()> f) { m_onEnter = std::move(f); }
    void SetOnEscape(std::function<void()> f) { m_onEscape = std::move(f); }
    void SetOnKillFocus(std::function<void()> f) { m_onKillFocus = std::move(f); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_bNumeric = false;
    std::function<void()> m_onEnter, m_onEscape, m_onKillFocus;
};
