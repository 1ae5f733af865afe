#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>

const QString DocumentFilter =
    QStringLiteral("Plain text files (*.txt);;Nivar documents (*.nivar);;All files (*)");
const QString OpenFilter = QStringLiteral("Plain text files (*.txt);;Nivar documents "
                                          "(*.nivar);;TPTP problems (*.p);;All files (*)");

namespace {
class TPlatformDialogs : public TDialogs {
public:
    void Message(QWidget* Parent, const QString& Text, TIcon Icon) override
    {
        if (Icon == Warning)
            QMessageBox::warning(Parent, QApplication::applicationName(), Text);
        else
            QMessageBox::information(Parent, QApplication::applicationName(), Text);
    }

    TAnswer Question(QWidget* Parent, const QString& Text) override
    {
        const auto Button =
            QMessageBox::question(Parent, QApplication::applicationName(), Text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return Button == QMessageBox::Yes ? Yes : Button == QMessageBox::No ? No : Cancel;
    }

    QString OpenFileName(QWidget* Parent) override
    {
        return QFileDialog::getOpenFileName(Parent, QString(), QString(), OpenFilter);
    }

    QString SaveFileName(QWidget* Parent, const QString& Proposed, const QString& Filter) override
    {
        return QFileDialog::getSaveFileName(Parent, QString(), Proposed, Filter);
    }

    bool InputText(QWidget* Parent, const QString& Caption, const QString& Prompt,
                   QString& Text) override
    {
        QInputDialog Dialog(Parent);
        Dialog.setWindowTitle(Caption);
        Dialog.setLabelText(Prompt);
        Dialog.setTextValue(Text);
        // Wide enough for its whole title, beside the frame's buttons.
        Dialog.resize(std::max(Dialog.sizeHint().width(),
                               Dialog.fontMetrics().horizontalAdvance(Caption) + 160),
                      Dialog.sizeHint().height());
        if (Dialog.exec() != QDialog::Accepted)
            return false;
        Text = Dialog.textValue();
        return true;
    }

    bool ChooseFont(QWidget* Parent, QFont& Font) override
    {
        bool Ok = false;
        const QFont Chosen = QFontDialog::getFont(&Ok, Font, Parent);
        if (Ok)
            Font = Chosen;
        return Ok;
    }
};

TPlatformDialogs Platform;
TDialogs* Current = &Platform;
} // namespace

TDialogs& Dialogs()
{
    return *Current;
}

void SetDialogs(TDialogs* Replacement)
{
    Current = Replacement ? Replacement : &Platform;
}
