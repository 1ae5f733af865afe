#include "ui/examples.h"

#include <QCoreApplication>
#include <QDir>

QString ExamplesFolder()
{
    const QString Program = QCoreApplication::applicationDirPath();
    for (const QString& Candidate : {Program + QStringLiteral("/examples"),
                                     Program + QStringLiteral("/../share/nivar/examples")})
        if (QDir(Candidate).exists())
            return QDir(Candidate).canonicalPath();
    return QString();
}

QStringList ExampleFiles(const QString& Folder)
{
    if (Folder.isEmpty())
        return {};
    QStringList Files;
    const QDir Dir(Folder);
    for (const QString& Name : Dir.entryList({QStringLiteral("*.txt"), QStringLiteral("*.nivar")},
                                             QDir::Files, QDir::Name))
        Files << Dir.filePath(Name);
    return Files;
}
