#include "engine/run_rules.h"

#include <gtest/gtest.h>
