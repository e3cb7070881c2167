#pragma once
// Answers the modal dialogs a command shows, as a person would, while the command waits for them.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Message boxes get `button`; a file dialog gets `file` (or is cancelled when it is empty). What the
// boxes said and the filters the file dialogs offered are kept.
class ModalAnswers {
public:
    explicit ModalAnswers(QMessageBox::StandardButton button, QString file = {}) : button_(button), file_(std::move(file))
    {
        timer_.callOnTimeout([this] { answer(); });
        timer_.start(10);
    }

    QStringList boxTexts;
    QList<QStringList> fileFilters;

private:
    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxTexts << box->text();
            box->button(button_)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            fileFilters << dialog->nameFilters();
            if (file_.isEmpty()) {
                dialog->reject();
            } else {
                // Not accept(): it checks the name against a folder listing that fills in the background.
                dialog->selectFile(file_);
                static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
            }
        }
    }

    QMessageBox::StandardButton button_;
    QString file_;
    QTimer timer_;
};
