// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PERCENTILE_H
#define PERCENTILE_H

#include <vector>

/** The value below which @p fraction of @p values lie (0.5: the median); 0 for none. */
double percentile(std::vector<double> values, double fraction);

#endif
