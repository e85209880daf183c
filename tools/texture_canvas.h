#pragma once
#include <string>
#include <vector>

// A grey picture drawn from anti-aliased vector shapes. The game tints every
// picture with a vertex colour and adds it to the frame, so pictures are white
// and grey on black, and their alpha only mirrors the brightness.
//
// Drawing happens in picture coordinates: the canvas maps a rectangle of them
// onto its pixels with y pointing up, so the top edge of the picture is the
// heading of a sprite. Shapes combine by taking the brighter value per pixel,
// so crossing strokes and overlapping glows never add up to a hot spot.

struct Point {
    double x;
    double y;
};

// How a stroke looks: a solid core of the given width with a soft glow that
// fades to nothing glowRadius beyond the core's edge.
struct Pen {
    double width = 0.05;
    double brightness = 1.0;
    double glow = 0.35;        // glow brightness at the core's edge, relative to the core
    double glowRadius = 0.08;  // picture units
};

class Canvas {
public:
    // width × height pixels showing picture x in [x0, x1] and y in [y0, y1].
    Canvas(int width, int height, double x0, double y0, double x1, double y1);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Brightness of pixel (column, row), row 0 at the bottom.
    float At(int column, int row) const { return value_[row * width_ + column]; }
    // Picture units per pixel (across).
    double PixelSize() const { return pixelX_; }

    void Line(Point a, Point b, const Pen& pen);
    void Polyline(const std::vector<Point>& points, bool closed, const Pen& pen);
    void Circle(Point centre, double radius, const Pen& pen);
    // A line with a soft bell-shaped cross-section, brightness × e^(−d²/2σ²),
    // eased to exactly 0 at 3σ. Sampled with a line between two pixel centres,
    // two equal pixels form a flat top, which bilinear sampling draws at full
    // brightness wherever a screen pixel lands on it.
    void SoftLine(Point a, Point b, double sigma, double brightness);
    // A round soft point with the same bell-shaped falloff.
    void SoftDot(Point centre, double sigma, double brightness);
    // A filled polygon (any simple polygon, even-odd rule) with an anti-aliased edge.
    void FillPolygon(const std::vector<Point>& points, double brightness);
    void FillCircle(Point centre, double radius, double brightness);
    // A radial falloff over an ellipse: brightness × (1 - r²)^power, exactly 0
    // at and beyond the ellipse (r = 1).
    void Falloff(Point centre, double radiusX, double radiusY, double brightness, double power);

    // Uncompressed true-colour Targa (type 2), 32 bits, rows bottom-up.
    bool WriteTarga(const std::string& path) const;

private:
    template <typename Distance>
    void Stroke(double minX, double minY, double maxX, double maxY, const Pen& pen, Distance distance);
    void Plot(int column, int row, double value);
    double PixelX(int column) const { return x0_ + (column + 0.5) * pixelX_; }
    double PixelY(int row) const { return y0_ + (row + 0.5) * pixelY_; }

    int width_;
    int height_;
    double x0_, y0_, x1_, y1_;
    double pixelX_, pixelY_;
    std::vector<float> value_;
};

// Polylines for arcs and chamfered boxes used by several pictures.
std::vector<Point> Arc(Point centre, double radiusX, double radiusY, double fromDegrees, double toDegrees,
                       int steps);
std::vector<Point> RegularPolygon(Point centre, double radius, int sides, double rotationDegrees);
