#pragma once
// The "Calibration" dialog over CalibrationForm: the fields, the file commands and measuring.
#include <QDialog>

class CalibrationForm;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Close" asks the form's save question; a measurement runs while the dialog waits for the person.
class CalibrationDlg : public QDialog {
    Q_OBJECT
public:
    explicit CalibrationDlg(CalibrationForm& form, QWidget* parent = nullptr);

    static bool run(CalibrationForm& form, QWidget* parent);

    void accept() override;
    void reject() override;

private:
    void showFields();
    void readFields();

    CalibrationForm& form_;
    QLineEdit* input1_;
    QLineEdit* input2_;
    QPushButton* measure_;
    QLineEdit* level_;
    QLineEdit* units_;
    QComboBox* type_;
    QLineEdit* offset_;
    QPushButton* save_;
    QLabel* file_;
};
