#pragma once

// Hostile entries for the systems folder are made at test time, in a folder of their own.
#include "tests/support/TempFolder.h"
