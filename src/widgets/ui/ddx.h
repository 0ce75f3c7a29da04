#pragma once
// Moving values between dialog controls and data records, with the range checks
// every dialog uses. A value out of range (or not a number) shows the standard
// range message, puts the focus back into the control and reports failure, so
// the dialog stays open with the user's text in place.
#include <QString>
#include <string>

class QLineEdit;

namespace kv::ddx {

// Numbers as the dialogs show them: up to six significant digits ("25.5", "0.15").
QString FormatFloat(double value);

// Reading a control (`save` true) or filling it (`save` false). Returns false
// only when reading fails a check; the value then stays unchanged.
bool Int(QLineEdit* edit, int& value, bool save);
bool Int(QLineEdit* edit, int& value, bool save, int min, int max);
bool Float(QLineEdit* edit, float& value, bool save);
bool Float(QLineEdit* edit, float& value, bool save, float min, float max);
bool Text(QLineEdit* edit, std::string& value, bool save, int maxChars = -1);

}  // namespace kv::ddx
