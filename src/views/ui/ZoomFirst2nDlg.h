#pragma once
// The "Zoom to power of 2" dialog over ZoomFirst2nForm: a list of lengths to choose from.
#include <QDialog>

class QListWidget;
class ZoomFirst2nForm;

class ZoomFirst2nDlg : public QDialog {
    Q_OBJECT
public:
    explicit ZoomFirst2nDlg(ZoomFirst2nForm& form, QWidget* parent = nullptr);

    static bool run(ZoomFirst2nForm& form, QWidget* parent);

    void accept() override;

private:
    ZoomFirst2nForm& form_;
    QListWidget* list_;
};
