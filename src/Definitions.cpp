#include "Definitions.h"

#include "CameraObject.h"
#include "CircleShape.h"
#include "CubeShape.h"
#include "CylinderShape.h"
#include "Factory.h"
#include "LightShape.h"
#include "LineShape.h"
#include "ModelShape.h"
#include "ParameterGroups.h"
#include "PointShape.h"
#include "QuadShape.h"
#include "RectangleShape.h"
#include "Scheduler.h"
#include "ShapeDefinitions.h"
#include "SphereShape.h"
#include "SquareShape.h"
#include "TextShape.h"
#include "TriangleShape.h"
#include "VideoShape.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>

namespace {

// Registers one type's rows in the order written, starting with its `name`
// row (a string whose default is the type word: the object's type tag).
// The registry keeps rows in byte order of their names, so the order
// written only decides which of two rows of one name is kept (the first).
class TypeRows {
public:
    explicit TypeRows(const char* typeWord) : typeWord(typeWord) { strings({"name"}, typeWord); }

    TypeRows& numbers(std::initializer_list<const char*> parameters, const char* defaultText)
    {
        return rows(parameters, defaultText, PARAM_NUMBER);
    }
    TypeRows& strings(std::initializer_list<const char*> parameters, const char* defaultText)
    {
        return rows(parameters, defaultText, PARAM_STRING);
    }
    // A group's rows (ParameterGroups.h), each with the group's default.
    template <std::size_t size>
    TypeRows& numbers(const std::array<GroupRow, size>& group)
    {
        for (const GroupRow& row : group)
            rows({row.parameter}, row.defaultText, PARAM_NUMBER);
        return *this;
    }
    TypeRows& schedule(const char* parameter) { return rows({parameter}, "", PARAM_SCHEDULE); }
    TypeRows& factory(ShapeFactory* factory)
    {
        ShapeDefinitions::getInstance()->addFactory(typeWord, factory);
        return *this;
    }

private:
    TypeRows& rows(std::initializer_list<const char*> parameters, const char* defaultText, ParamType kind)
    {
        for (const char* parameter : parameters)
            ShapeDefinitions::getInstance()->addDefinition(typeWord, parameter, defaultText, kind);
        return *this;
    }

    std::string typeWord;
};

}  // namespace

// Every shape type's parameters with their defaults and kinds, and its
// factory. A type whose class is not built yet has its rows but no factory:
// the dispatcher creates no object of it.
void createShapeDefs()
{
    TypeRows("square")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a"}, "1.0")
        .strings({"texture"}, "")
        .numbers(textureCornerRows)
        .numbers({"size"}, "1.0")
        .numbers(turnRows)
        .strings({"shader"}, "None")
        .factory(new Factory<SquareShape>());

    TypeRows("point")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a", "size"}, "1.0")
        .factory(new Factory<PointShape>());

    TypeRows("triangle")
        .numbers({"x1", "y1", "z1"}, "0.0")
        .numbers({"r1", "g1", "b1", "a1"}, "1.0")
        .numbers({"x2", "y2", "z2"}, "0.0")
        .numbers({"r2", "g2", "b2", "a2"}, "1.0")
        .numbers({"x3", "y3", "z3"}, "0.0")
        .numbers({"r3", "g3", "b3", "a3"}, "1.0")
        .factory(new Factory<TriangleShape>());

    TypeRows("quad")
        .numbers({"x1", "y1", "z1"}, "0.0")
        .numbers({"r1", "g1", "b1", "a1"}, "1.0")
        .numbers({"x2", "y2", "z2"}, "0.0")
        .numbers({"r2", "g2", "b2", "a2"}, "1.0")
        .numbers({"x3", "y3", "z3"}, "0.0")
        .numbers({"r3", "g3", "b3", "a3"}, "1.0")
        .numbers({"x4", "y4", "z4"}, "0.0")
        .numbers({"r4", "g4", "b4", "a4"}, "1.0")
        .factory(new Factory<QuadShape>());

    TypeRows("rectangle")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a", "width", "height"}, "1.0")
        .numbers(turnRows)
        .strings({"texture"}, "")
        .numbers(textureCornerRows)
        .factory(new Factory<RectangleShape>());

    TypeRows("circle")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r1", "g1", "b1", "a1", "r2", "g2", "b2", "a2"}, "1.0")
        .numbers(turnRows)
        .numbers({"radius"}, "1.0")
        .strings({"shader"}, "None")
        .factory(new Factory<CircleShape>());

    TypeRows("line")
        .numbers({"x1", "y1", "z1"}, "0.0")
        .numbers({"r1", "g1", "b1", "a1"}, "1.0")
        .numbers({"x2", "y2", "z2"}, "0.0")
        .numbers({"r2", "g2", "b2", "a2", "width"}, "1.0")
        .factory(new Factory<LineShape>());

    TypeRows("text")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a", "size"}, "1.0")
        .strings({"label"}, "")
        .factory(new Factory<TextShape>())  // the factory stands before the font row
        .strings({"font"}, "");

    TypeRows("scheduler")
        .schedule("add")
        .numbers({"play", "time"}, "0.0")
        .factory(new Factory<Scheduler>());

    TypeRows("sphere")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a"}, "1.0")
        .strings({"texture"}, "None")
        .numbers({"radius"}, "1.0")
        .strings({"shader"}, "None")
        .numbers(turnRows)
        .factory(new Factory<SphereShape>());

    TypeRows("cube")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a"}, "1.0")
        .numbers({"angle"}, "0.0")
        .strings({"texture"}, "")
        .numbers(textureCornerRows)
        .numbers(turnRows)
        .numbers({"size"}, "1.0")
        .strings({"shader"}, "None")
        .factory(new Factory<CubeShape>());

    TypeRows("cylinder")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a"}, "1.0")
        .numbers({"rx", "ry"}, "0.0")
        .numbers({"rz"}, "1.0")
        .strings({"texture"}, "")
        .numbers({"radius", "height"}, "1.0")
        .numbers({"rotate"}, "0.0")
        .strings({"shader"}, "None")
        .factory(new Factory<CylinderShape>());

    TypeRows("model")
        .strings({"file"}, "None")
        .numbers({"scale"}, "1.0")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a"}, "1.0")
        .numbers(turnRows)
        .numbers({"size"}, "1.0")
        .strings({"shader"}, "None")
        .factory(new Factory<ModelShape>());

    TypeRows("light")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"type"}, "1.0")
        .numbers({"num"}, "0")
        .numbers({"r", "g", "b", "a", "radius"}, "1.0")
        .factory(new Factory<LightShape>());

    TypeRows("camera")
        .numbers({"x", "y", "z"}, "0.0")
        .factory(new Factory<CameraObject>());

    TypeRows("video")
        .numbers({"x", "y", "z"}, "0.0")
        .numbers({"r", "g", "b", "a"}, "1.0")
        .strings({"texture"}, "")
        .numbers(textureCornerRows)
        .numbers({"size"}, "1.0")
        .numbers(turnRows)
        .strings({"shader", "file"}, "None")
        .numbers({"go"}, "0.0")
        .factory(new Factory<VideoShape>());
}
