// The example documents shipped with Nivar, for the File > Examples menu.
#pragma once

#include <QStringList>

// The folder of the examples: beside the program in a build, under share/nivar once
// installed; empty when there is none.
QString ExamplesFolder();
// The documents of a folder, by name.
QStringList ExampleFiles(const QString& Folder);
