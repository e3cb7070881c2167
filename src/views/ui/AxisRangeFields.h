#pragma once
// The part both axes dialogs share, over an AxisRangeForm.
#include <QObject>
#include <string>

class AxisRangeForm;
class QCheckBox;
class QFormLayout;
class QLineEdit;
class QWidget;

// "Max :" and "Min :" with their spins, and the "No auto-scale" and "Show axes" switches, wired to the
// form.
class AxisRangeFields : public QObject {
    Q_OBJECT
public:
    AxisRangeFields(AxisRangeForm& form, QWidget* dialog);

    void addRangeRows(QFormLayout* layout);
    QCheckBox* noAutoScale() const { return noAutoScale_; }
    QCheckBox* showAxes() const { return showAxes_; }

    static QCheckBox* checkBox(const char* text, bool checked, QWidget* parent);
    // An axis title edit: 20 characters typed, 19 kept by the form.
    static QLineEdit* labelEdit(const std::string& text, QWidget* parent);

private:
    QWidget* rangeRow(QLineEdit* edit, void (AxisRangeForm::*spin)(int));
    void readRange();
    void showRange();

    AxisRangeForm& form_;
    QWidget* dialog_;
    QLineEdit* max_;
    QLineEdit* min_;
    QCheckBox* noAutoScale_;
    QCheckBox* showAxes_;
};
