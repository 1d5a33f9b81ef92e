#pragma once
// The interpretation keys live with the method's other rules.
#include "methode/ClesInterpretation.h"
