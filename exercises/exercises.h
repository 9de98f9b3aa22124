#pragma once

// Public interface of the exercise generators.
#include "exercises/cp1252.h"
#include "exercises/digit_grouping.h"
#include "exercises/random_source.h"
#include "exercises/sheet.h"
#include "exercises/terms.h"
#include "exercises/user_error.h"
