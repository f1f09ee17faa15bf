#pragma once
// "About vorn": the start-up picture, the application icon, the version of the build and OK. Two
// controls stay hidden: a second line and the button "version(&V)" that tells the build date.

#include <QDialog>
#include <string>

class QPushButton;

namespace vorn {

inline constexpr const char* kBuildDateFormat = "it is builded in %s";
inline constexpr const char* kBuildDate = "Tue Oct 24 14:52:12 2000";

// "it is builded in " with the build date.
std::string buildDateText();

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    QPushButton* versionButton() const { return version_; }

private:
    void showBuildDate();
    QPushButton* version_;
};

}  // namespace vorn
