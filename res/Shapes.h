#pragma once
// Regions of a picture's design space as tests of whether they cover a point, and the
// set operations that combine them. The pictures fill whatever their shapes cover,
// pixel centre by pixel centre.
#include <QPointF>
#include <QRectF>
#include <functional>
#include <vector>

namespace art {

using Shape = std::function<bool(QPointF)>;
using Polyline = std::vector<QPointF>;

// Radius must be above zero; Box() is the square-cornered rectangle.
Shape RoundRect(QRectF R, double Radius);
Shape Box(QRectF R);
// |x|^Power + |y|^Power < 1 in the ellipse's own scale: 2 is an ellipse, more is squarer.
Shape Ellipse(QPointF Centre, double Rx, double Ry, double Power = 2);
Shape Polygon(std::vector<QPointF> Corners);
// A convex polygon with every edge moved inwards by Depth.
std::vector<QPointF> Inset(const std::vector<QPointF>& Corners, double Depth);
// Pen strokes along polylines with a round pen of the given radius.
Shape Strokes(std::vector<Polyline> Lines, double Radius);

Shape Both(Shape A, Shape B);
Shape Either(Shape A, Shape B);
Shape Minus(Shape A, Shape B);
Shape Moved(Shape S, QPointF By);

} // namespace art
