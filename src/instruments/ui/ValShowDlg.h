#pragma once
// The "Instrument properties" dialog over ValShowForm: it shows the form's fields and copies them back.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class ValShowForm;

class ValShowDlg : public QDialog {
    Q_OBJECT
public:
    explicit ValShowDlg(ValShowForm& form, QWidget* parent = nullptr);

    static bool run(ValShowForm& form, QWidget* parent);

    void accept() override;

private:
    ValShowForm& form_;
    QRadioButton* circle_;
    QRadioButton* numeric_;
    QLineEdit* rangeFrom_;
    QLineEdit* rangeTo_;
    QLineEdit* units_;
    QRadioButton* between_;
    QRadioButton* outside_;
    QLineEdit* alarmFrom_;
    QLineEdit* alarmTo_;
    QCheckBox* beep_;
    QLineEdit* application_;
    QComboBox* interval_;
    QCheckBox* markerOn_;
    QLineEdit* markerText_;
    QCheckBox* showX_;
    QCheckBox* showY_;
};
