#pragma once
// The "Time FFT" dialog ("Spectrogram" in its short form) over TimeFFTForm.
#include <QDialog>

class QComboBox;
class QLineEdit;
class TimeFFTForm;

// The form links the fields, the dialog only shows them and copies them in and out.
class TimeFFTDlg : public QDialog {
    Q_OBJECT
public:
    explicit TimeFFTDlg(TimeFFTForm& form, QWidget* parent = nullptr);

    static bool run(TimeFFTForm& form, QWidget* parent);

    void accept() override;

private:
    void showFields();
    void readFields();

    TimeFFTForm& form_;
    QComboBox* precision_;
    QLineEdit* segments_;
    QLineEdit* step_;
    QComboBox* azimuth_;
    QComboBox* elevation_;
    QLineEdit* from_;
    QLineEdit* to_;
};
