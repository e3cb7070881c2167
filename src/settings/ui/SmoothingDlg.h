#pragma once
// "Smoothing": shows a SmoothingForm; stays open while the form refuses the length.
#include <QDialog>

class QComboBox;
class QLineEdit;
class SmoothingForm;

class SmoothingDlg : public QDialog {
    Q_OBJECT
public:
    explicit SmoothingDlg(SmoothingForm& form, QWidget* parent = nullptr);

    static bool run(SmoothingForm& form, QWidget* parent);

    void accept() override;

private:
    SmoothingForm& form_;
    QComboBox* window_;
    QLineEdit* length_;
};
