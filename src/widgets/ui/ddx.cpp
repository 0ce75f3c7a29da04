#include "widgets/ui/ddx.h"

#include "platform/services.h"
#include "widgets/rangemessage.h"

#include <QLineEdit>
#include <QLocale>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>

namespace kv::ddx {
namespace {

void Refuse(QLineEdit* edit, const std::string& message) {
    kv::MessageBox(message, kv::MB_OK | kv::MB_ICONWARNING);
    edit->setFocus();
    edit->selectAll();
}

// Reads the whole text as a number with '.' whatever the desktop's language.
bool ParseDouble(const QString& text, double& out) {
    bool ok = false;
    out = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(out);
}

// A float field takes only what a float can hold: a larger number would be
// stored as infinity and poison every result computed from it.
bool ParseFloat(const QString& text, double& out) { return ParseDouble(text, out) && std::fabs(out) <= FLT_MAX; }

}  // namespace

QString FormatFloat(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    return QString::fromLatin1(text);
}

bool Int(QLineEdit* edit, int& value, bool save) {
    if (!save) {
        edit->setText(QString::number(value));
        return true;
    }
    bool ok = false;
    int v = edit->text().trimmed().toInt(&ok);
    if (!ok) {
        Refuse(edit, kv::widgets::NotAnIntegerMessage());
        return false;
    }
    value = v;
    return true;
}

bool Int(QLineEdit* edit, int& value, bool save, int min, int max) {
    if (!save) return Int(edit, value, false);
    bool ok = false;
    int v = edit->text().trimmed().toInt(&ok);
    if (!ok || v < min || v > max) {
        Refuse(edit, kv::widgets::IntRangeMessage(min, max));
        return false;
    }
    value = v;
    return true;
}

bool Float(QLineEdit* edit, float& value, bool save) {
    if (!save) {
        edit->setText(FormatFloat(value));
        return true;
    }
    double v = 0;
    if (!ParseFloat(edit->text(), v)) {
        Refuse(edit, kv::widgets::NotANumberMessage());
        return false;
    }
    value = static_cast<float>(v);
    return true;
}

bool Float(QLineEdit* edit, float& value, bool save, float min, float max) {
    if (!save) return Float(edit, value, false);
    double v = 0;
    if (!ParseFloat(edit->text(), v) || v < min || v > max) {
        Refuse(edit, kv::widgets::FloatRangeMessage(min, max));
        return false;
    }
    value = static_cast<float>(v);
    return true;
}

bool Text(QLineEdit* edit, std::string& value, bool save, int maxChars) {
    if (!save) {
        edit->setText(QString::fromStdString(value));
        if (maxChars > 0) edit->setMaxLength(maxChars);
        return true;
    }
    QString text = edit->text();
    if (maxChars > 0) text = text.left(maxChars);
    value = text.toStdString();
    return true;
}

}  // namespace kv::ddx
