#include "Shapes.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <utility>

namespace art {
namespace {

double DistanceToSegment(QPointF P, QPointF A, QPointF B)
{
    const QPointF AB = B - A;
    const double Length2 = QPointF::dotProduct(AB, AB);
    const double T =
        Length2 > 0 ? std::clamp(QPointF::dotProduct(P - A, AB) / Length2, 0.0, 1.0) : 0.0;
    const QPointF D = P - (A + T * AB);
    return std::hypot(D.x(), D.y());
}

} // namespace

Shape RoundRect(QRectF R, double Radius)
{
    return [=](QPointF P) {
        // How far P lies past the straight part of each edge, measured to the corner arcs.
        const double Dx = std::max({R.left() + Radius - P.x(), 0.0, P.x() - R.right() + Radius});
        const double Dy = std::max({R.top() + Radius - P.y(), 0.0, P.y() - R.bottom() + Radius});
        return Dx * Dx + Dy * Dy < Radius * Radius;
    };
}

Shape Ellipse(QPointF Centre, double Rx, double Ry, double Power)
{
    return [=](QPointF P) {
        const double X = std::abs(P.x() - Centre.x()) / Rx;
        const double Y = std::abs(P.y() - Centre.y()) / Ry;
        return std::pow(X, Power) + std::pow(Y, Power) < 1.0;
    };
}

Shape Polygon(std::vector<QPointF> Corners)
{
    const QPolygonF Outline(QList<QPointF>(Corners.begin(), Corners.end()));
    return [=](QPointF P) { return Outline.containsPoint(P, Qt::OddEvenFill); };
}

std::vector<QPointF> Inset(const std::vector<QPointF> &Corners, double Depth)
{
    const std::size_t N = Corners.size();
    double Area2 = 0;
    for (std::size_t I = 0; I < N; ++I) {
        const QPointF A = Corners[I], B = Corners[(I + 1) % N];
        Area2 += A.x() * B.y() - B.x() * A.y();
    }
    const double Side = Area2 > 0 ? 1 : -1;
    // Each edge as a point and direction, shifted along its inward normal.
    std::vector<std::pair<QPointF, QPointF>> Edges;
    for (std::size_t I = 0; I < N; ++I) {
        const QPointF A = Corners[I], D = Corners[(I + 1) % N] - A;
        const double Len = std::hypot(D.x(), D.y());
        const QPointF Normal = Side * QPointF(-D.y(), D.x()) / Len;
        Edges.push_back({A + Depth * Normal, D});
    }
    // Each new corner is where the shifted edges on either side of it meet.
    std::vector<QPointF> Result;
    for (std::size_t I = 0; I < N; ++I) {
        const auto [P, D] = Edges[(I + N - 1) % N];
        const auto [Q, E] = Edges[I];
        const double Cross = D.x() * E.y() - D.y() * E.x();
        const QPointF W = Q - P;
        const double T = (W.x() * E.y() - W.y() * E.x()) / Cross;
        Result.push_back(P + T * D);
    }
    return Result;
}

Shape Box(QRectF R)
{
    return [=](QPointF P) {
        return P.x() > R.left() && P.x() < R.right() && P.y() > R.top() && P.y() < R.bottom();
    };
}

Shape Strokes(std::vector<Polyline> Lines, double Radius)
{
    return [Lines = std::move(Lines), Radius](QPointF P) {
        for (const Polyline &Line : Lines)
            for (std::size_t I = 0; I + 1 < Line.size(); ++I)
                if (DistanceToSegment(P, Line[I], Line[I + 1]) < Radius)
                    return true;
        return false;
    };
}

Shape Both(Shape A, Shape B)
{
    return [=](QPointF P) { return A(P) && B(P); };
}

Shape Either(Shape A, Shape B)
{
    return [=](QPointF P) { return A(P) || B(P); };
}

Shape Minus(Shape A, Shape B)
{
    return [=](QPointF P) { return A(P) && !B(P); };
}

Shape Moved(Shape S, QPointF By)
{
    return [=](QPointF P) { return S(P - By); };
}

} // namespace art
