#pragma once
// The read-password field of the settings panel: digits and letters (case
// kept), up to 6 characters, masked, shown from and converted to the 6 stored
// password bytes. The view commits on the focus loss (KillFocus).
// UI thread only.

#include <QLineEdit>

#include <cstdint>

class KeyFilter;

class CPasswordEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CPasswordEdit(QWidget* parent = nullptr);

    // Shows the password bytes as text (up to the first byte above 61) and
    // sets the text limit to length.
    void SetCode(const std::uint8_t* code, int length);
    // The text as length password bytes (0xFF after the last character).
    void GetCode(std::uint8_t* code, int length) const;

Q_SIGNALS:
    void KillFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    KeyFilter* m_filter;
};
