#pragma once
// The one-line text input of many commands: caption, label, initial text and a maximum length.
#include <QDialog>

class QLineEdit;

class InputDlg : public QDialog {
    Q_OBJECT
public:
    InputDlg(const QString& caption, const QString& label, const QString& initial, int maxLength,
             QWidget* parent = nullptr);

    QString text() const;

private:
    QLineEdit* edit_;
};
