#pragma once

// Public interface of the exercise generators.
#include "exercises/digit_grouping.h"
#include "exercises/random_source.h"
#include "exercises/sheet.h"
#include "exercises/terms.h"
#include "text/cp1252.h"
#include "text/user_error.h"
