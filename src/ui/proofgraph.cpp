#include "ui/proofgraph.h"

#include "ui/dialogs.h"

#include <QHBoxLayout>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <graphviz/gvc.h>
#include <memory>

namespace {
// What Graphviz said last, for the message: it would write it to the standard error.
QString GraphvizSaid;
int KeepMessage(char* Text)
{
    GraphvizSaid += QString::fromUtf8(Text);
    return 0;
}
} // namespace

QByteArray RenderDot(const std::string& Dot, QString& Error)
{
    GraphvizSaid.clear();
    const agusererrf Previous = agseterrf(KeepMessage);
    struct TRestore {
        agusererrf Previous;
        ~TRestore() { agseterrf(Previous); }
    } Restore{Previous};
    // One context for the life of the program: Graphviz's text plugin remembers the last
    // font name it measured, a string the context owns, so a freed context would leave it
    // pointing nowhere.
    static const std::unique_ptr<GVC_t, int (*)(GVC_t*)> Context(gvContext(), gvFreeContext);
    if (!Context) {
        Error = QStringLiteral("Graphviz could not start.");
        return {};
    }
    std::unique_ptr<Agraph_t, int (*)(Agraph_t*)> Graph(agmemread(Dot.c_str()), agclose);
    if (!Graph) {
        Error = QStringLiteral("Graphviz could not read the graph (%1).")
                    .arg(GraphvizSaid.simplified());
        return {};
    }
    if (gvLayout(Context.get(), Graph.get(), "dot") != 0) {
        Error = QStringLiteral("Graphviz could not lay out the graph (is its dot plugin "
                               "installed?).");
        return {};
    }
    char* Data = nullptr;
    unsigned int Length = 0;
    QByteArray Svg;
    if (gvRenderData(Context.get(), Graph.get(), "svg", &Data, &Length) == 0 && Data)
        Svg = QByteArray(Data, static_cast<qsizetype>(Length));
    else
        Error = QStringLiteral("Graphviz could not draw the graph as SVG.");
    gvFreeRenderData(Data);
    gvFreeLayout(Context.get(), Graph.get());
    return Svg;
}

namespace {
QToolButton* Button(QWidget* Parent, QLayout* Layout, const QString& Caption, const QString& Tip)
{
    auto* B = new QToolButton(Parent);
    B->setText(Caption);
    B->setToolTip(Tip);
    B->setStatusTip(Tip);
    Layout->addWidget(B);
    return B;
}
} // namespace

TProofGraph::TProofGraph(const QString& Title, const QByteArray& ASvg, QWidget* Parent)
    : QWidget(Parent, Qt::Window), Svg(ASvg)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Title);
    auto* Layout = new QVBoxLayout(this);
    auto* Bar = new QHBoxLayout;
    Layout->addLayout(Bar);
    ZoomInButton = Button(this, Bar, QStringLiteral("Zoom in"), QStringLiteral("Ctrl++"));
    ZoomOutButton = Button(this, Bar, QStringLiteral("Zoom out"), QStringLiteral("Ctrl+-"));
    ActualSizeButton = Button(this, Bar, QStringLiteral("Actual size"), QStringLiteral("Ctrl+0"));
    ZoomLabel = new QLabel(this);
    Bar->addWidget(ZoomLabel);
    Bar->addStretch();
    SaveSvgButton = Button(this, Bar, QStringLiteral("Save as SVG..."),
                           QStringLiteral("Save the picture as a scalable SVG file"));
    SavePngButton = Button(this, Bar, QStringLiteral("Save as PNG..."),
                           QStringLiteral("Save the picture as a PNG image at this zoom"));
    ZoomInButton->setShortcut(QKeySequence::ZoomIn);
    ZoomOutButton->setShortcut(QKeySequence::ZoomOut);
    ActualSizeButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(ZoomInButton, &QToolButton::clicked, this, &TProofGraph::ZoomIn);
    connect(ZoomOutButton, &QToolButton::clicked, this, &TProofGraph::ZoomOut);
    connect(ActualSizeButton, &QToolButton::clicked, this, [this] { SetZoom(1.0); });
    connect(SaveSvgButton, &QToolButton::clicked, this, &TProofGraph::SaveSvgClick);
    connect(SavePngButton, &QToolButton::clicked, this, &TProofGraph::SavePngClick);

    View = new QSvgWidget;
    View->load(Svg);
    Area = new QScrollArea(this);
    Area->setWidget(View);
    Area->setAlignment(Qt::AlignCenter);
    Area->setBackgroundRole(QPalette::Base);
    Area->viewport()->installEventFilter(this);
    Layout->addWidget(Area);
    SetZoom(1.0);
    // Room for the whole graph where the screen has it.
    resize(std::clamp(View->width() + 40, 400, 1200), std::clamp(View->height() + 80, 300, 900));
}

void TProofGraph::SetZoom(double Factor)
{
    Scale = std::clamp(Factor, 0.1, 8.0);
    const QSize Size = View->renderer()->defaultSize();
    View->setFixedSize(std::max(1, qRound(Size.width() * Scale)),
                       std::max(1, qRound(Size.height() * Scale)));
    ZoomLabel->setText(QStringLiteral("%1%").arg(qRound(Scale * 100)));
}

bool TProofGraph::eventFilter(QObject* Watched, QEvent* Event)
{
    // Ctrl and the wheel zoom, as in viewers of pictures.
    if (Watched == Area->viewport() && Event->type() == QEvent::Wheel) {
        auto* Wheel = static_cast<QWheelEvent*>(Event);
        if (Wheel->modifiers() & Qt::ControlModifier) {
            if (Wheel->angleDelta().y() > 0)
                ZoomIn();
            else if (Wheel->angleDelta().y() < 0)
                ZoomOut();
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

bool TProofGraph::SaveSvg(const QString& Path) const
{
    QSaveFile File(Path);
    return File.open(QIODevice::WriteOnly) && File.write(Svg) == Svg.size() && File.commit();
}

bool TProofGraph::SavePng(const QString& Path) const
{
    QImage Image(View->size(), QImage::Format_ARGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    View->renderer()->render(&Painter);
    Painter.end();
    QSaveFile File(Path);
    return File.open(QIODevice::WriteOnly) && Image.save(&File, "PNG") && File.commit();
}

bool TProofGraph::SaveAs(const QString& Suffix, const QString& Filter,
                         bool (TProofGraph::*Save)(const QString&) const)
{
    QString Path = Dialogs().SaveFileName(this, QStringLiteral("proof") + Suffix, Filter);
    if (Path.isEmpty())
        return false;
    if (!Path.endsWith(Suffix, Qt::CaseInsensitive))
        Path += Suffix;
    if ((this->*Save)(Path))
        return true;
    Dialogs().Message(this, QStringLiteral("Cannot create file %1").arg(Path), TDialogs::Warning);
    return false;
}

bool TProofGraph::SaveSvgClick()
{
    return SaveAs(QStringLiteral(".svg"), QStringLiteral("SVG pictures (*.svg)"),
                  &TProofGraph::SaveSvg);
}

bool TProofGraph::SavePngClick()
{
    return SaveAs(QStringLiteral(".png"), QStringLiteral("PNG images (*.png)"),
                  &TProofGraph::SavePng);
}
