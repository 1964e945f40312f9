#pragma once
// The PTT-ID code fields of the settings panel (start and end code): digits
// and the letters A to D, up to 15 characters, shown from and converted to the
// 15 stored code bytes. The view commits on the focus loss (KillFocus).
// UI thread only.

#include <QLineEdit>

#include <cstdint>

class KeyFilter;

class CPttIdCodeEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CPttIdCodeEdit(QWidget* parent = nullptr);

    // Shows the code bytes as text (up to the first byte above 13) and sets the
    // text limit to length.
    void SetCode(const std::uint8_t* code, int length);
    // The text as length code bytes (0xFF from the first character that is
    // not a code character on).
    void GetCode(std::uint8_t* code, int length) const;

Q_SIGNALS:
    void KillFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    KeyFilter* m_filter;
};
