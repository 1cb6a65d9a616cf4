#pragma once

#include "ReportPages.h"

class ReportTemplate;

// The test print a user lays over a real form to read off a printer's offset: a grid of
// lines every 10 mm numbered along the top and left edges in mm, and every visible object's
// box with its name, where the template places it on the first page.
LaidOutReport calibrationSheet(const ReportTemplate &report);
