#include "ui/font.h"

#include <QCoreApplication>
#include <QFontDatabase>

int InstallSymbolFont(QString& Problem)
{
    const QString Beside = QCoreApplication::applicationDirPath() + QStringLiteral("/myfont.ttf");
    int Id = QFontDatabase::addApplicationFont(Beside);
    if (Id < 0)
        Id = QFontDatabase::addApplicationFont(QStringLiteral(":/font/myfont.ttf"));
    if (Id < 0)
        Problem = QStringLiteral("The symbol font \"Ventrix\" could not be loaded: the logical "
                                 "symbols show as other characters.");
    return Id;
}
