// The whole public interface of the calculation library.
#pragma once

#include "calc/entry.h"
#include "calc/matrix.h"
#include "calc/number.h"
#include "calc/report.h"
