#include "tools/texture_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr double PI = 3.14159265358979323846;

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double SegmentDistance(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = Clamp01(t);
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

// Core coverage of a pixel at distance d from the stroke's centre line, with a
// one-pixel ramp; strokes thinner than a pixel are drawn a pixel wide but dimmer.
double Coverage(double d, double width, double pixel) {
    const double w = std::max(width, pixel);
    const double dim = width < pixel ? width / pixel : 1.0;
    return dim * Clamp01(0.5 + (w * 0.5 - d) / pixel);
}

// The glow's cubic falloff reaches exactly zero at its radius, so nothing
// leaks to the picture's border.
double Glow(double d, const Pen& pen) {
    const double beyond = d - pen.width * 0.5;
    if (pen.glowRadius <= 0) return 0;
    if (beyond <= 0) return pen.glow;
    const double t = 1.0 - beyond / pen.glowRadius;
    return t <= 0 ? 0 : pen.glow * t * t * t;
}

// A bell e^(−d²/2σ²) lowered and rescaled so that it is exactly 0 at 3σ.
double Bell(double d, double sigma) {
    const double floor = std::exp(-4.5);
    if (sigma <= 0 || d >= 3 * sigma) return 0;
    return (std::exp(-d * d / (2 * sigma * sigma)) - floor) / (1 - floor);
}

}  // namespace

Canvas::Canvas(int width, int height, double x0, double y0, double x1, double y1)
    : width_(width),
      height_(height),
      x0_(x0),
      y0_(y0),
      x1_(x1),
      y1_(y1),
      pixelX_((x1 - x0) / width),
      pixelY_((y1 - y0) / height),
      value_(static_cast<size_t>(width) * height, 0.0f) {}

void Canvas::Plot(int column, int row, double value) {
    float& v = value_[row * width_ + column];
    v = std::max(v, static_cast<float>(std::min(value, 1.0)));
}

template <typename Distance>
void Canvas::Stroke(double minX, double minY, double maxX, double maxY, const Pen& pen, Distance distance) {
    const double reach = pen.width * 0.5 + pen.glowRadius + 2 * std::max(pixelX_, pixelY_);
    const int c0 = std::max(0, static_cast<int>(std::floor((minX - reach - x0_) / pixelX_)));
    const int c1 = std::min(width_ - 1, static_cast<int>(std::ceil((maxX + reach - x0_) / pixelX_)));
    const int r0 = std::max(0, static_cast<int>(std::floor((minY - reach - y0_) / pixelY_)));
    const int r1 = std::min(height_ - 1, static_cast<int>(std::ceil((maxY + reach - y0_) / pixelY_)));
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            const double d = distance(Point{PixelX(c), PixelY(r)});
            const double v = std::max(Coverage(d, pen.width, pixelX_), Glow(d, pen));
            if (v > 0) Plot(c, r, v * pen.brightness);
        }
    }
}

void Canvas::Line(Point a, Point b, const Pen& pen) {
    Stroke(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y), pen,
           [&](Point p) { return SegmentDistance(p, a, b); });
}

void Canvas::Polyline(const std::vector<Point>& points, bool closed, const Pen& pen) {
    if (points.size() < 2) return;
    double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (const Point& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // One distance field for the whole line, so joints get no double glow.
    Stroke(minX, minY, maxX, maxY, pen, [&](Point p) {
        double d = 1e9;
        for (size_t i = 0; i + 1 < points.size(); ++i)
            d = std::min(d, SegmentDistance(p, points[i], points[i + 1]));
        if (closed) d = std::min(d, SegmentDistance(p, points.back(), points.front()));
        return d;
    });
}

void Canvas::Circle(Point centre, double radius, const Pen& pen) {
    Stroke(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, pen,
           [&](Point p) { return std::fabs(std::hypot(p.x - centre.x, p.y - centre.y) - radius); });
}

void Canvas::SoftLine(Point a, Point b, double sigma, double brightness) {
    const double reach = 3 * sigma + std::max(pixelX_, pixelY_);
    const int c0 = std::max(0, static_cast<int>(std::floor((std::min(a.x, b.x) - reach - x0_) / pixelX_)));
    const int c1 =
        std::min(width_ - 1, static_cast<int>(std::ceil((std::max(a.x, b.x) + reach - x0_) / pixelX_)));
    const int r0 = std::max(0, static_cast<int>(std::floor((std::min(a.y, b.y) - reach - y0_) / pixelY_)));
    const int r1 =
        std::min(height_ - 1, static_cast<int>(std::ceil((std::max(a.y, b.y) + reach - y0_) / pixelY_)));
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            const double v = Bell(SegmentDistance(Point{PixelX(c), PixelY(r)}, a, b), sigma);
            if (v > 0) Plot(c, r, v * brightness);
        }
    }
}

void Canvas::SoftDot(Point centre, double sigma, double brightness) {
    SoftLine(centre, centre, sigma, brightness);
}

void Canvas::FillPolygon(const std::vector<Point>& points, double brightness) {
    const size_t n = points.size();
    if (n < 3) return;
    for (int r = 0; r < height_; ++r) {
        for (int c = 0; c < width_; ++c) {
            const Point p{PixelX(c), PixelY(r)};
            bool inside = false;
            double d = 1e9;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const Point& a = points[i];
                const Point& b = points[j];
                if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
                d = std::min(d, SegmentDistance(p, a, b));
            }
            const double signedDistance = inside ? d : -d;
            const double v = Clamp01(0.5 + signedDistance / pixelX_);
            if (v > 0) Plot(c, r, v * brightness);
        }
    }
}

void Canvas::FillCircle(Point centre, double radius, double brightness) {
    for (int r = 0; r < height_; ++r) {
        for (int c = 0; c < width_; ++c) {
            const double d = std::hypot(PixelX(c) - centre.x, PixelY(r) - centre.y);
            const double v = Clamp01(0.5 + (radius - d) / pixelX_);
            if (v > 0) Plot(c, r, v * brightness);
        }
    }
}

void Canvas::Falloff(Point centre, double radiusX, double radiusY, double brightness, double power) {
    for (int r = 0; r < height_; ++r) {
        for (int c = 0; c < width_; ++c) {
            const double u = (PixelX(c) - centre.x) / radiusX;
            const double v = (PixelY(r) - centre.y) / radiusY;
            const double r2 = u * u + v * v;
            if (r2 < 1) Plot(c, r, brightness * std::pow(1 - r2, power));
        }
    }
}

bool Canvas::WriteTarga(const std::string& path) const {
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;  // uncompressed true-colour
    out[12] = static_cast<uint8_t>(width_ & 0xFF);
    out[13] = static_cast<uint8_t>(width_ >> 8);
    out[14] = static_cast<uint8_t>(height_ & 0xFF);
    out[15] = static_cast<uint8_t>(height_ >> 8);
    out[16] = 32;
    out[17] = 8;  // eight alpha bits, origin at the bottom left
    for (int r = 0; r < height_; ++r) {
        for (int c = 0; c < width_; ++c) {
            const uint8_t v = static_cast<uint8_t>(std::lround(Clamp01(At(c, r)) * 255.0));
            out.insert(out.end(), {v, v, v, v});  // blue, green, red, alpha
        }
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

std::vector<Point> Arc(Point centre, double radiusX, double radiusY, double fromDegrees, double toDegrees,
                       int steps) {
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const double a = (fromDegrees + (toDegrees - fromDegrees) * i / steps) * PI / 180.0;
        points.push_back({centre.x + radiusX * std::cos(a), centre.y + radiusY * std::sin(a)});
    }
    return points;
}

std::vector<Point> RegularPolygon(Point centre, double radius, int sides, double rotationDegrees) {
    std::vector<Point> points = Arc(centre, radius, radius, rotationDegrees, rotationDegrees + 360.0, sides);
    points.pop_back();
    return points;
}
