#pragma once
// The "Signal calculator" dialog over CalcForm.
#include <QDialog>
#include <vector>

class CalcForm;
class QListWidget;
class QPushButton;

// Two lists, ">" and the operator buttons, each button enabled only where the form accepts it.
class CalcDlg : public QDialog {
    Q_OBJECT
public:
    explicit CalcDlg(CalcForm& form, QWidget* parent = nullptr);

    static bool run(CalcForm& form, QWidget* parent);

    void accept() override;
    void done(int result) override;

private:
    void showExpression();

    CalcForm& form_;
    QListWidget* available_;
    QListWidget* expression_;
    QPushButton* add_;
    std::vector<QPushButton*> operators_;
};
