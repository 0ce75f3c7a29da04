#pragma once
// An edit box that takes only the characters of the classes it is given and
// steps its integer value on a scroll request. The shell dialogs give every
// numeric box the digit class, so only numbers can be typed.
#include <QLineEdit>

#include <functional>

namespace kv::shells {

class CFilterEdit : public QLineEdit {
    Q_OBJECT
public:
    // Character classes, bits of the mask.
    enum : unsigned short { kDigits = 1, kLetters = 2, kOther = 4 };
    // Scroll requests: a line up steps by +1, a line down by -1.
    enum { kLineUp = 0, kLineDown = 1 };
    // The code the parent is told with when a key or step is refused.
    static constexpr int kBadInput = 0x8000;

    explicit CFilterEdit(QWidget* parent = nullptr);

    // Stores the mask and takes the dialog's control id.
    void SubclassDlgItem(int id, unsigned short mask);
    // The parent's handler of a refusal: (control id, kBadInput); answering -1
    // keeps the beep back.
    void SetParentNotice(std::function<int(int id, int code)> notice) { notice_ = std::move(notice); }

    unsigned short filter_mask = 0;
    int id() const { return id_; }

    // The class of one character: every bit for a control character.
    static unsigned short CharClass(char32_t code);

    // One scroll request (kLineUp, kLineDown; anything else is ignored).
    void OnVScroll(int code);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    virtual void OnBadInput();

private:
    int id_ = 0;
    std::function<int(int, int)> notice_;
};

}  // namespace kv::shells
