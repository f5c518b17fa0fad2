#pragma once
// The rules that the shapes share, as plain functions of values: the
// placement of a shape built around its own centre, the render bin its
// alphas choose, and its texture corners. They read no parameter and keep
// no state; a shape calls them from its redraw.

#include <osg/Matrixd>
#include <osg/Quat>
#include <osg/StateSet>
#include <osg/Vec2f>
#include <osg/Vec3d>
#include <osg/Vec3f>
#include <osg/Vec4f>
#include <initializer_list>
#include <optional>

// A turn by the angle in degrees about the axis: the angle is turned to
// radians in single precision, then widened. A zero axis turns nothing; only
// an axis's direction counts.
osg::Quat turnAbout(float degrees, const osg::Vec3f& axis);

// Where a shape stands: its centre, then a turn by `rot` degrees about one
// axis and a tilt by `tilt` degrees about a second, both through the centre
// and keeping their world directions. A zero axis turns nothing; only an
// axis's direction counts.
struct Placement {
    osg::Vec3f position{0.0f, 0.0f, 0.0f};
    float rot = 0.0f;
    osg::Vec3f rotAxis{0.0f, 0.0f, 0.0f};
    float tilt = 0.0f;
    osg::Vec3f tiltAxis{0.0f, 0.0f, 0.0f};
};

// The placement as matrices, made once per redraw. Points are row vectors:
// p' = ((p * rotation) * tilt) * translation, narrowed to single precision
// between the products; normals are turned, never moved or normalised.
// Without turns (both matrices the identity, as most shapes stand) a finite
// point takes the same sums without the products by 0 and 1: the same
// value, bit for bit.
class PlacementTransform {
public:
    explicit PlacementTransform(const Placement& placement);

    osg::Vec3f point(const osg::Vec3f& p) const
    {
        return !turned && isFinite(p) && centreFinite ? moved(p) : pointByMatrices(p);
    }
    // As point(), carried in double precision and narrowed once.
    osg::Vec3f pointPrecise(const osg::Vec3d& p) const
    {
        return !turned && isFinite(p) && centreFinite ? moved(p) : pointByMatrices(p);
    }
    osg::Vec3f normal(const osg::Vec3f& n) const
    {
        return !turned && isFinite(n) ? osg::Vec3f(throughIdentity(n)) : normalByMatrices(n);
    }

    // Whether the placement turns: if not, normal() gives back every finite
    // normal with its zeros made positive.
    bool turns() const { return turned.has_value(); }
    // Whether points are only moved (no turn, a finite centre): a finite
    // point then goes to movedFinite(), as point() would take it.
    bool onlyMoves() const { return !turned && centreFinite; }
    osg::Vec3f movedFinite(const osg::Vec3f& p) const { return moved(p); }

private:
    // A product by 0 is 0 for a finite component and NaN for any other.
    template <typename Vec>
    static bool isFinite(const Vec& v)
    {
        return v.x() * 0 + v.y() * 0 + v.z() * 0 == 0;
    }
    // What products with the identity leave of finite components: the
    // components, each zero made positive (a sum with the products by 0).
    template <typename Vec>
    static osg::Vec3d throughIdentity(const Vec& v)
    {
        return osg::Vec3d(static_cast<double>(v.x()) + 0.0, static_cast<double>(v.y()) + 0.0,
                          static_cast<double>(v.z()) + 0.0);
    }
    template <typename Vec>
    osg::Vec3f moved(const Vec& p) const
    {
        return osg::Vec3f(throughIdentity(p) + centre);
    }
    // Through the matrices: the turns', or identities when there are none.
    osg::Vec3f pointByMatrices(const osg::Vec3f& p) const;
    osg::Vec3f pointByMatrices(const osg::Vec3d& p) const;
    osg::Vec3f normalByMatrices(const osg::Vec3f& n) const;

    struct Matrices {
        osg::Matrixd rotation;
        osg::Matrixd tiltRotation;
        osg::Matrixd translation;
    };
    // Identities and the translation: the matrices of a placement that
    // does not turn, made only for the rare point that is not finite.
    Matrices unturned() const;
    static osg::Vec3f pointThrough(const Matrices& m, const osg::Vec3f& p);
    static osg::Vec3f pointThrough(const Matrices& m, const osg::Vec3d& p);
    static osg::Vec3f normalThrough(const Matrices& m, const osg::Vec3f& n);

    osg::Vec3d centre;
    bool centreFinite;
    std::optional<Matrices> turned;  // none when both turns are the identity
};

// TRANSPARENT_BIN when any alpha is not exactly 1.0 (NaN included), else DEFAULT_BIN.
osg::StateSet::RenderingHint colourBin(std::initializer_list<float> alphas);
// Sets the rendering hint that colourBin gives on the state set.
void applyColourBin(osg::StateSet& stateSet, std::initializer_list<float> alphas);

// The texture coordinates t1 to t4 of a textured shape's vertices 0 to 3.
struct TextureCorners {
    osg::Vec2f corner[4] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
};

// Writes t1 to t4 to entries 0 to 3 and repeats them over any further
// entries in fours (the cube's 24 vertices take them face by face).
template <typename Vec2Array>
void writeTextureCorners(Vec2Array& coordinates, const TextureCorners& corners)
{
    // The corners as locals: the writes then need not read them again.
    const osg::Vec2f t1 = corners.corner[0], t2 = corners.corner[1], t3 = corners.corner[2], t4 = corners.corner[3];
    const std::size_t count = coordinates.size();
    std::size_t entry = 0;
    for (; entry + 4 <= count; entry += 4) {
        coordinates[entry] = t1;
        coordinates[entry + 1] = t2;
        coordinates[entry + 2] = t3;
        coordinates[entry + 3] = t4;
    }
    for (; entry < count; ++entry)
        coordinates[entry] = corners.corner[entry % 4];
}
