// The desktop program's proof run of a document, timed: to compare with nivar-prove's.
//   ui_bench FILE linear|breadth|modified [REPEAT]
#include "ui/MDIEdit.h"
#include "ui/MDIFrame.h"

#include <QApplication>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int Argc, char** Argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(Argc, Argv);
    if (Argc < 3) {
        std::fprintf(stderr, "usage: ui_bench FILE linear|breadth|modified [REPEAT]\n");
        return 64;
    }
    const int Repeat = Argc > 3 ? std::atoi(Argv[3]) : 3;
    TFrameForm Frame;
    Frame.show();
    TEditForm* Editor = Frame.OpenFile(QString::fromLocal8Bit(Argv[1]));
    const QString Strategy = QString::fromLatin1(Argv[2]);
    QToolButton* Button = Strategy == "breadth"    ? Editor->SpeedButton3
                          : Strategy == "modified" ? Editor->SpeedButton4
                                                   : Editor->SpeedButton2;
    std::vector<double> Times;
    for (int I = 0; I < Repeat; ++I) {
        const auto Start = std::chrono::steady_clock::now();
        Button->click();
        const std::chrono::duration<double> Elapsed = std::chrono::steady_clock::now() - Start;
        Times.push_back(Elapsed.count());
    }
    std::sort(Times.begin(), Times.end());
    std::printf("%.3f %d\n", Times[Times.size() / 2], Editor->Output->document()->blockCount());
    Editor->Editor->document()->setModified(false);
    return 0;
}
