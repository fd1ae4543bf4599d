#include "tests/skin/forms/objects/ObjectTestSupport.h"
