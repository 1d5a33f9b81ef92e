#pragma once
// The geometry of the generated pictures lives with the method's other rules.
#include "methode/ImagesGeometrie.h"
