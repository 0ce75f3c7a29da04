#pragma once
// The picture help "帮助": one or two pictures on tabs; a click on the picture
// closes it like OK. Pictures are PNG files in the program folder's "pictures"
// folder, named after the picture.
#include <QDialog>
#include <string>

class QTabBar;
class QToolButton;

class CDlgHelpPic : public QDialog {
    Q_OBJECT
public:
    CDlgHelpPic(QWidget* parent, const std::string& picture);
    CDlgHelpPic(QWidget* parent, const std::string& picture1, const std::string& picture2);

    void SetTitle(const std::string& title);
    void SetTitle(const std::string& title1, const std::string& title2);

    int PictureCount() const { return m_nPictures; }
    QTabBar* Tabs() const { return m_tabs; }
    int exec() override;

    // The file a picture name stands for (empty when there is none).
    static std::string PicturePath(const std::string& picture);

private:
    void Init(const std::string& picture1, const std::string& picture2);
    void OnSelchangeTab(int index);
    void FitToPicture();

    QToolButton* m_button1 = nullptr;  // 1282
    QToolButton* m_button2 = nullptr;  // 1008
    class QPushButton* m_ok = nullptr;  // 1
    QTabBar* m_tabs = nullptr;         // 911
    QString m_title1, m_title2;
    int m_nPictures = 1;
    bool m_initialised = false;
};
