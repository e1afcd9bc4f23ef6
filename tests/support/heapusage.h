// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef HEAPUSAGE_H
#define HEAPUSAGE_H

#include <QtGlobal>

/**
 * The bytes that this process has allocated with malloc and not freed yet
 * (glibc's mallinfo2(), or the address sanitizer's own count in a sanitizer
 * build), for tests that check that memory does not grow over repeated work.
 */
class HeapUsage
{
public:
    static qint64 inUse();
};

#endif
