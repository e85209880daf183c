#pragma once
#include <cmath>

// Three doubles: every position, velocity, direction and colour of the world.
// Operations work component by component in the order written, so results are
// the same bits on every compiler (the build forbids FMA contraction).
struct Vector3 {
    double x = 0, y = 0, z = 0;

    constexpr Vector3() = default;
    constexpr Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3 operator*(double s) const { return {x * s, y * s, z * s}; }
    Vector3& operator+=(const Vector3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Vector3& operator-=(const Vector3& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
    Vector3& operator*=(double s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    bool operator==(const Vector3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vector3& o) const { return !(*this == o); }

    double Length() const { return std::sqrt(x * x + y * y + z * z); }
};

// Below this length a vector has no usable direction. It is the single-precision
// constant 1e-6f widened, exactly as the rules use it.
constexpr double NORMALISE_MIN_LENGTH = static_cast<double>(1e-6f);

// The vector divided by its length; (1, 0, 0) for a length below 1e-6f.
inline Vector3 Normalise(const Vector3& v) {
    double length = v.Length();
    if (length < NORMALISE_MIN_LENGTH) return {1, 0, 0};
    return {v.x / length, v.y / length, v.z / length};
}
