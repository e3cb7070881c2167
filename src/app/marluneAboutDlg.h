#pragma once
// The about box: product name and version, and the legal notice.
#include <QDialog>

class marluneAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit marluneAboutDlg(QWidget* parent = nullptr);

    // "%s %s %s" of the product name, "Version" and the version.
    static QString versionText();
    static QString legalNotice();
};
