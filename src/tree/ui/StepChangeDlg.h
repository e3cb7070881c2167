#pragma once
// The "Step change" dialog: the step in samples and in seconds, each edit rewriting the other.
#include <QDialog>

class QLineEdit;
class StepChangeForm;

class StepChangeDlg : public QDialog {
    Q_OBJECT
public:
    explicit StepChangeDlg(StepChangeForm& form, QWidget* parent = nullptr);

    static bool run(StepChangeForm& form, QWidget* parent);

    void accept() override;

private:
    void samplesEdited(const QString& text);
    void secondsEdited(const QString& text);

    StepChangeForm& form_;
    QLineEdit* samples_;
    QLineEdit* seconds_;
};
