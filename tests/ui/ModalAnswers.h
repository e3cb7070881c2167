#pragma once
// Answers the modal dialogs a command shows, as a person would, while the command waits for them.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
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
            // A box without the button (a report that only has OK) is closed as Escape would.
            if (QAbstractButton* button = box->button(button_))
                button->click();
            else
                box->reject();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (dialog != seen_)
                fileFilters << dialog->nameFilters();
            seen_ = dialog;
            if (file_.isEmpty()) {
                dialog->reject();
            } else {
                // Typed into the name field as a person would; selectFile alone waits for the folder listing,
                // filled in the background, and until then the dialog answers with the folder. Not accept():
                // that checks the listing too.
                dialog->selectFile(file_);
                if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
                    name->setText(file_);
                if (dialog->selectedFiles() == QStringList{file_})
                    static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
            }
        }
    }

    QMessageBox::StandardButton button_;
    QString file_;
    // The file dialog already counted; it may take several ticks to answer.
    QPointer<QFileDialog> seen_;
    QTimer timer_;
};
