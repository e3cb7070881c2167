#pragma once
// The "Sample rate" dialog: shows a SampleRateForm and stays open until the form accepts the rate.
#include <QDialog>

class QLineEdit;
class QPushButton;
class SampleRateForm;

class SampleRateDlg : public QDialog {
    Q_OBJECT
public:
    explicit SampleRateDlg(SampleRateForm& form, QWidget* parent = nullptr);

    // Modal; true when closed with an accepted rate.
    static bool run(SampleRateForm& form, QWidget* parent);

    void accept() override;

private:
    SampleRateForm& form_;
    QLineEdit* edit_;
};
