#include "ui/about.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const char* const Notes[] = {
    "About program.",
    "--------------------------------------------------------",
    "Nivar is an experimental demonstration of theorem proving in first-order",
    "predicate logic by the generalized resolution rule. It resolves formulas as",
    "they are written, with negation, conjunction, disjunction, implication,",
    "equivalence and quantifiers anywhere, without converting them to clausal",
    "normal form.",
    "",
    "It is an experiment: it is not guarded against every exceptional case, and a",
    "search may run until you press Stop.",
    "",
    "Logical characters keyboard layout.",
    "--------------------------------------------------------",
    "When you want to insert special character to editor, you have to ",
    "hold Ctrl + Alt and characters depending on your choice:",
    "  Q - forall, W - exists, E - equivalence, I - implication, ",
    "  C - conjunction, D - disjunction, N - negation, F - not equal,",
    "  L - less or equal, G - greater or equal.",
    "",
};
} // namespace

QIcon NivarIcon()
{
    QPixmap Picture(64, 64);
    Picture.fill(Qt::transparent);
    QPainter Painter(&Picture);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setBrush(QColor(0x2b, 0x4c, 0x7e));
    Painter.setPen(Qt::NoPen);
    Painter.drawRoundedRect(2, 2, 60, 60, 12, 12);
    Painter.setPen(Qt::white);
    QFont Font(QStringLiteral("Ventrix"), 34, QFont::Bold);
    Painter.setFont(Font);
    Painter.drawText(Picture.rect(), Qt::AlignCenter, QString(QChar(0xF7)));
    return QIcon(Picture);
}

TAboutBox::TAboutBox(QWidget* Parent) : QDialog(Parent)
{
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(468, 306);
    auto* Layout = new QVBoxLayout(this);
    auto* Frame = new QFrame(this);
    Frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1 = Frame;
    auto* Inner = new QVBoxLayout(Panel1);
    auto* Top = new QHBoxLayout;
    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setPixmap(NivarIcon().pixmap(33, 33));
    ProgramIcon->setFixedSize(33, 33);
    ProductName = new QLabel(
        QStringLiteral("<b>Product Name:<br>&nbsp;&nbsp;&nbsp;NIVAR - Nivar.</b>"), Panel1);
    Version = new QLabel(QStringLiteral("(Experimental application)"), Panel1);
    Copyright = new QLabel(QStringLiteral("<b>Version " NIVAR_VERSION
                                          "<br>&nbsp;&nbsp;&nbsp;Generalized resolution for "
                                          "first-order logic</b>"),
                           Panel1);
    Top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    auto* Names = new QVBoxLayout;
    Names->addWidget(ProductName);
    Names->addWidget(Version);
    Names->addWidget(Copyright);
    Top->addLayout(Names, 1);
    Inner->addLayout(Top);
    Comments = new QLabel(QStringLiteral("<b>Important comments:</b>"), Panel1);
    Inner->addWidget(Comments);
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setReadOnly(true);
    QString Text;
    for (const char* Line : Notes)
        Text += QString::fromLatin1(Line) + QChar('\n');
    Memo1->setPlainText(Text);
    Inner->addWidget(Memo1, 1);
    Layout->addWidget(Panel1, 1);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    Layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    if (QScreen* Screen = QGuiApplication::primaryScreen())
        move(Screen->geometry().center() - rect().center());
}
