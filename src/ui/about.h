// The About box: the product, and the notes on the program and its keyboard.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* Parent);
    void OKButtonClick() { hide(); }

    QWidget* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Comments;
    QPlainTextEdit* Memo1;
    QPushButton* OKButton;
};

// The application's icon, drawn with the symbol font.
QIcon NivarIcon();
