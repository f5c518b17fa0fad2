#include "DrawableShape.h"

void DrawableShape::rebuildShape()
{
    build();
    dirtyBound();
}
