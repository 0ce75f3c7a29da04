#include "views/findreplace.h"

#include "platform/services.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

CFindReplaceDlg::CFindReplaceDlg(QTextEdit* edit, bool replace) : QDialog(edit), m_edit(edit) {
    setWindowTitle(replace ? QStringLiteral("替换") : QStringLiteral("寻找"));
    m_find = new QLineEdit(this);
    m_find->setObjectName("find");
    m_case = new QCheckBox(QStringLiteral("区分大小写"), this);
    m_word = new QCheckBox(QStringLiteral("全字匹配"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("查找内容"), m_find);
    if (replace) {
        m_replace = new QLineEdit(this);
        m_replace->setObjectName("replace");
        form->addRow(QStringLiteral("替换为"), m_replace);
    }
    auto* options = new QHBoxLayout;
    options->addWidget(m_case);
    options->addWidget(m_word);
    options->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    auto* next = buttons->addButton(QStringLiteral("查找下一个"), QDialogButtonBox::ActionRole);
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] {
        if (!FindNext()) kv::MessageBox("找不到 \"" + FindText().toStdString() + "\"", kv::MB_OK | kv::MB_ICONINFORMATION);
    });
    if (replace) {
        auto* one = buttons->addButton(QStringLiteral("替换"), QDialogButtonBox::ActionRole);
        connect(one, &QPushButton::clicked, this, [this] { ReplaceCurrent(); });
        auto* all = buttons->addButton(QStringLiteral("全部替换"), QDialogButtonBox::ActionRole);
        connect(all, &QPushButton::clicked, this, [this] { ReplaceAll(); });
    }
    auto* close = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(options);
    layout->addWidget(buttons);
    if (m_edit->textCursor().hasSelection()) m_find->setText(m_edit->textCursor().selectedText());
}

void CFindReplaceDlg::SetFindText(const QString& text) { m_find->setText(text); }
QString CFindReplaceDlg::FindText() const { return m_find->text(); }

QTextDocument::FindFlags CFindReplaceDlg::Flags() const {
    QTextDocument::FindFlags flags;
    if (m_case->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    if (m_word->isChecked()) flags |= QTextDocument::FindWholeWords;
    return flags;
}

bool CFindReplaceDlg::FindNext() {
    if (FindText().isEmpty()) return false;
    QTextDocument* doc = m_edit->document();
    QTextCursor found = doc->find(FindText(), m_edit->textCursor(), Flags());
    if (found.isNull()) found = doc->find(FindText(), 0, Flags());  // once round from the start
    if (found.isNull()) return false;
    m_edit->setTextCursor(found);
    return true;
}

bool CFindReplaceDlg::SelectionMatches() const {
    QString selected = m_edit->textCursor().selectedText();
    Qt::CaseSensitivity cs = m_case->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return !selected.isEmpty() && selected.compare(FindText(), cs) == 0;
}

bool CFindReplaceDlg::ReplaceCurrent() {
    if (!m_replace || m_edit->isReadOnly()) return false;
    if (SelectionMatches()) m_edit->textCursor().insertText(m_replace->text());
    return FindNext();
}

int CFindReplaceDlg::ReplaceAll() {
    if (!m_replace || FindText().isEmpty() || m_edit->isReadOnly()) return 0;
    QTextDocument* doc = m_edit->document();
    QTextCursor edit(doc);
    edit.beginEditBlock();
    int count = 0;
    QTextCursor found = doc->find(FindText(), 0, Flags());
    while (!found.isNull()) {
        found.insertText(m_replace->text());
        ++count;
        found = doc->find(FindText(), found, Flags());
    }
    edit.endEditBlock();
    return count;
}

CFontColorDlg::CFontColorDlg(QWidget* parent, const QTextCharFormat& current) : QDialog(parent) {
    setWindowTitle(QStringLiteral("字体与颜色设置"));
    m_family = new QFontComboBox(this);
    m_families = current.fontFamilies().toStringList();
    if (!m_families.isEmpty()) m_family->setCurrentFont(QFont(m_families.first()));
    // Half points: reports are set in 10.5 points.
    m_size = new QDoubleSpinBox(this);
    m_size->setRange(4, 96);
    m_size->setDecimals(1);
    m_size->setSingleStep(0.5);
    m_size->setValue(current.fontPointSize() > 0 ? std::round(current.fontPointSize() * 2) / 2 : 10);
    m_bold = new QCheckBox(QStringLiteral("粗体"), this);
    m_bold->setChecked(current.fontWeight() >= QFont::Bold);
    m_italic = new QCheckBox(QStringLiteral("斜体"), this);
    m_italic->setChecked(current.fontItalic());
    m_underline = new QCheckBox(QStringLiteral("下划线"), this);
    m_underline->setChecked(current.fontUnderline());
    m_colorButton = new QPushButton(this);
    SetColor(current.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : current.foreground().color());
    connect(m_colorButton, &QPushButton::clicked, this, [this] {
        QColor chosen = QColorDialog::getColor(m_color, this, QStringLiteral("颜色"));
        if (chosen.isValid()) SetColor(chosen);
    });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("字体"), m_family);
    form->addRow(QStringLiteral("字号"), m_size);
    auto* style = new QHBoxLayout;
    style->addWidget(m_bold);
    style->addWidget(m_italic);
    style->addWidget(m_underline);
    form->addRow(QStringLiteral("字形"), style);
    form->addRow(QStringLiteral("颜色"), m_colorButton);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确认"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CFontColorDlg::SetColor(const QColor& color) {
    m_color = color;
    m_colorButton->setStyleSheet(QStringLiteral("background-color: %1; min-width: 60px;").arg(color.name()));
}

QTextCharFormat CFontColorDlg::Format() const {
    QTextCharFormat f;
    // An unchanged face keeps its fallbacks (the fixed-pitch stand-in of 宋体).
    const QString family = m_family->currentFont().family();
    if (!m_families.isEmpty() && (family == m_families.first() || QFont(m_families.first()).family() == family))
        f.setFontFamilies(m_families);
    else
        f.setFontFamilies({family});
    f.setFontPointSize(m_size->value());
    f.setFontWeight(m_bold->isChecked() ? QFont::Bold : QFont::Normal);
    f.setFontItalic(m_italic->isChecked());
    f.setFontUnderline(m_underline->isChecked());
    f.setForeground(m_color);
    return f;
}
