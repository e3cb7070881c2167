#pragma once
// The "Time FFT statistic" dialog over TimeFFTStatForm: five bands, the saved band sets, the results.
#include <QDialog>
#include <array>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class TimeFFTStatForm;

class TimeFFTStatDlg : public QDialog {
    Q_OBJECT
public:
    explicit TimeFFTStatDlg(TimeFFTStatForm& form, QWidget* parent = nullptr);

    static bool run(TimeFFTStatForm& form, QWidget* parent);

private:
    void readFields();
    void showForm();

    TimeFFTStatForm& form_;
    std::array<QLineEdit*, 5> from_{};
    std::array<QLineEdit*, 5> to_{};
    QListWidget* sets_;
    QPlainTextEdit* results_;
};
