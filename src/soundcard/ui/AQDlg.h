#pragma once
// The "Data acquisition" dialog over AQForm.
#include <QDialog>

class AQForm;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The form fills the lists and checks OK, the dialog shows the fields and swaps the rate list and the free
// rate field.
class AQDlg : public QDialog {
    Q_OBJECT
public:
    explicit AQDlg(AQForm& form, QWidget* parent = nullptr);

    static bool run(AQForm& form, QWidget* parent);

    void accept() override;

private:
    void showRates();
    void showDerived();
    void readFields();

    AQForm& form_;
    QComboBox* source_;
    QComboBox* calibration_;
    QComboBox* channels_;
    QComboBox* rates_;
    QLineEdit* customRate_;
    QPushButton* custom_;
    QLineEdit* windowLength_;
    QLineEdit* recordingLength_;
    QComboBox* decimation_;
    QLabel* resultingRate_;
    QCheckBox* triggerOn_;
    QComboBox* triggerChannel_;
    QLineEdit* threshold_;
    QCheckBox* reArm_;
    QLineEdit* skip_;
};
