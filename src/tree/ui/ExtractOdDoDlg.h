#pragma once
// "Extract": a range "From:" … "To:".
#include <QDialog>

class QLineEdit;
class ExtractOdDoForm;

class ExtractOdDoDlg : public QDialog {
    Q_OBJECT
public:
    explicit ExtractOdDoDlg(ExtractOdDoForm& form, QWidget* parent = nullptr);

    static bool run(ExtractOdDoForm& form, QWidget* parent);

    void accept() override;

private:
    ExtractOdDoForm& form_;
    QLineEdit* from_;
    QLineEdit* to_;
};
