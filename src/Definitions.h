#pragma once
// The shape definitions table: fills the registry with every type's
// parameter rows and factory. Called once at start-up.

void createShapeDefs();
