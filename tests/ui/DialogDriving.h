#pragma once
#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

// Types into a line edit as a person would, replacing its text, so textEdited fires.
inline void type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &erase);
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &press);
    }
}

// The button (push, check or radio) of a dialog that carries this text.
template <class Button = QPushButton>
Button* labelled(QWidget& dialog, const QString& text)
{
    for (Button* candidate : dialog.findChildren<Button*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

// A standard button of the dialog's button box.
inline QPushButton* standardButton(QWidget& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box ? box->button(which) : nullptr;
}

// The line edit of the form row with this label: the row's field itself or the edit inside it.
inline QLineEdit* fieldOf(QWidget& dialog, const QString& label)
{
    for (QLabel* candidate : dialog.findChildren<QLabel*>())
        if (candidate->text() == label && candidate->buddy()) {
            if (auto* edit = qobject_cast<QLineEdit*>(candidate->buddy()))
                return edit;
            return candidate->buddy()->findChild<QLineEdit*>();
        }
    return nullptr;
}
