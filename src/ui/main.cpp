// Nivar: the desktop program.
#include "driver/runstate.h"
#include "ui/MDIEdit.h"
#include "ui/MDIFrame.h"
#include "ui/about.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <clocale>

int main(int Argc, char** Argv)
{
    QApplication App(Argc, Argv);
    // The symbol font beside the program is the process's own while it runs.
    const QString FontPath = QCoreApplication::applicationDirPath() + QStringLiteral("/myfont.ttf");
    const int Font = QFontDatabase::addApplicationFont(FontPath);
    QApplication::setApplicationName(QStringLiteral("Nivar"));
    QApplication::setWindowIcon(NivarIcon());

    TFrameForm Frame;
    const QStringList Files = App.arguments().mid(1);
    if (Files.isEmpty())
        Frame.New1Click();
    for (const QString& Path : Files)
        Frame.OpenFile(Path);
    TAboutBox About(&Frame);
    Frame.AboutBox = &About;

    // Numbers read and written with "." whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    Frame.show();
    const int Status = App.exec();
    QFontDatabase::removeApplicationFont(Font);
    return Status;
}
