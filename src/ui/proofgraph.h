// The picture of a refutation: its derivation laid out by Graphviz and shown as SVG, zoomable,
// saved as SVG or PNG.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <string>

class QLabel;
class QScrollArea;
class QSvgWidget;
class QToolButton;

// The graph in DOT laid out with dot and rendered as SVG; empty, with Error set, when Graphviz
// cannot read or lay it out.
QByteArray RenderDot(const std::string& Dot, QString& Error);

class TProofGraph : public QWidget {
    Q_OBJECT

public:
    // A window of its own over Parent, titled Title, showing Svg.
    TProofGraph(const QString& Title, const QByteArray& Svg, QWidget* Parent);

    double Zoom() const { return Scale; }
    void SetZoom(double Factor); // 1: the graph's own size; kept between 0.1 and 8
    void ZoomIn() { SetZoom(Scale * 1.25); }
    void ZoomOut() { SetZoom(Scale / 1.25); }
    // The user picks the file; false when it was cancelled or could not be written (said).
    bool SaveSvgClick();
    bool SavePngClick();
    // Writes the picture; false when the file cannot be written.
    bool SaveSvg(const QString& Path) const;
    bool SavePng(const QString& Path) const;

    QToolButton* ZoomInButton;
    QToolButton* ZoomOutButton;
    QToolButton* ActualSizeButton;
    QToolButton* SaveSvgButton;
    QToolButton* SavePngButton;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // The user picks the name (the suffix added where it is missing); a failure is said.
    bool SaveAs(const QString& Suffix, const QString& Filter,
                bool (TProofGraph::*Save)(const QString&) const);

    QByteArray Svg;
    QSvgWidget* View;
    QScrollArea* Area;
    QLabel* ZoomLabel;
    double Scale = 1.0;
};
