#include "members/shells/ui/filteredit.h"

#include "platform/services.h"

#include <QKeyEvent>

namespace kv::shells {

CFilterEdit::CFilterEdit(QWidget* parent) : QLineEdit(parent) {}

void CFilterEdit::SubclassDlgItem(int id, unsigned short mask) {
    id_ = id;
    filter_mask = mask;
}

unsigned short CFilterEdit::CharClass(char32_t code) {
    if (code < 32)
        return 0xFFFF;
    if (code == U' ' || code == U'.' || code == U'*')
        return kDigits;
    QChar c = code <= 0xFFFF ? QChar(static_cast<char16_t>(code)) : QChar();
    bool letter = code > 0xFFFF ? QChar::isLetter(code) : c.isLetter();
    bool alnum = code > 0xFFFF ? QChar::isLetterOrNumber(code) : c.isLetterOrNumber();
    if (alnum && !letter)
        return kDigits;
    if (letter)
        return kLetters;
    return kOther;
}

void CFilterEdit::keyPressEvent(QKeyEvent* event) {
    // Keys without text (arrows, backspace, shortcuts) and control characters
    // keep their ordinary meaning.
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    for (char32_t code : text.toUcs4()) {
        if ((CharClass(code) & filter_mask) == 0) {
            event->accept();
            OnBadInput();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CFilterEdit::OnVScroll(int code) {
    int step;
    if (code == kLineUp)
        step = 1;
    else if (code == kLineDown)
        step = -1;
    else
        return;
    setFocus();
    bool ok = false;
    int value = text().trimmed().toInt(&ok);
    if (ok && value + step >= 0 && value + step <= 32767)
        setText(QString::number(value + step));
    else
        OnBadInput();
    selectAll();
}

void CFilterEdit::OnBadInput() {
    if (notice_ && notice_(id_, kBadInput) == -1)
        return;
    kv::MessageBeep();
}

}  // namespace kv::shells
