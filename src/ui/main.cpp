// Nivar: the desktop program.
#include "ui/MDIFrame.h"
#include "ui/about.h"
#include "ui/font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QStatusBar>
#include <clocale>
#include <cstdio>
#include <cstring>

int main(int Argc, char** Argv)
{
    // Answered on the terminal, without a window.
    for (int I = 1; I < Argc; ++I) {
        if (std::strcmp(Argv[I], "--help") == 0 || std::strcmp(Argv[I], "-h") == 0) {
            std::printf("Usage: nivar [FILE...]\n"
                        "Opens the documents in the Nivar desktop prover, each in a window of "
                        "its own.\nnivar-prove proves a document on the command line.\n");
            return 0;
        }
        if (std::strcmp(Argv[I], "--version") == 0) {
            std::printf("nivar " NIVAR_VERSION "\n");
            return 0;
        }
    }
    QApplication App(Argc, Argv);
    // The symbol font is the process's own while it runs.
    QString FontProblem;
    const int Font = InstallSymbolFont(FontProblem);
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
    if (!FontProblem.isEmpty()) {
        std::fprintf(stderr, "nivar: %s\n", FontProblem.toLocal8Bit().constData());
        Frame.statusBar()->showMessage(FontProblem);
    }

    // Numbers read and written with "." whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    Frame.show();
    const int Status = App.exec();
    if (Font >= 0)
        QFontDatabase::removeApplicationFont(Font);
    return Status;
}
