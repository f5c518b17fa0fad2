#include "Definitions.h"

// Placeholder until the shape definitions table lands.
void createShapeDefs() {}
