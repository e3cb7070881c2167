#pragma once
// The "Signal generator" dialog over GenSigForm.
#include <QDialog>
#include <array>

#include "tree/GenSigForm.h"

class QComboBox;
class QLineEdit;

// The form links the lengths and enables the fields, the dialog only shows them and copies them in and out.
class GenSigDlg : public QDialog {
    Q_OBJECT
public:
    explicit GenSigDlg(GenSigForm& form, QWidget* parent = nullptr);

    static bool run(GenSigForm& form, QWidget* parent);

    void accept() override;

private:
    void showFields();
    void readFields();

    GenSigForm& form_;
    QComboBox* function_;
    std::array<QLineEdit*, GenSigForm::FieldCount> fields_{};
};
