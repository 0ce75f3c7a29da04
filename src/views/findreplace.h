#pragma once
// Find and replace in a report, and the font-and-colour dialog of the report view.
#include <QDialog>
#include <QTextCharFormat>
#include <QTextDocument>

class QCheckBox;
class QFontComboBox;
class QLineEdit;
class QDoubleSpinBox;
class QTextEdit;
class QPushButton;

class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    // `replace`: with the replace field and buttons.
    CFindReplaceDlg(QTextEdit* edit, bool replace);

    void SetFindText(const QString& text);
    QString FindText() const;
    QTextDocument::FindFlags Flags() const;

    // Selects the next match after the caret (wrapping to the start once); false
    // when there is none.
    bool FindNext();
    // Replaces the selected match, then finds the next.
    bool ReplaceCurrent();
    // Replaces every match; the count.
    int ReplaceAll();

private:
    bool SelectionMatches() const;
    QTextEdit* m_edit;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_case = nullptr;
    QCheckBox* m_word = nullptr;
};

// The text's font, size, bold, italic, underline and colour for a selection.
class CFontColorDlg : public QDialog {
    Q_OBJECT
public:
    CFontColorDlg(QWidget* parent, const QTextCharFormat& current);
    QTextCharFormat Format() const;
    void SetColor(const QColor& color);

private:
    QFontComboBox* m_family = nullptr;
    QDoubleSpinBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QPushButton* m_colorButton = nullptr;
    QColor m_color;
    QStringList m_families;  // as the text had them, fallbacks included
};
