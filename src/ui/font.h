// The symbol font: the file beside the program where there is one, else the copy compiled into
// the program.
#pragma once

#include <QString>

// Installs the face "Ventrix" for the process; returns its id, or -1 with Problem set when
// neither the file nor the compiled copy could be loaded.
int InstallSymbolFont(QString& Problem);
