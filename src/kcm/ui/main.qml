// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

import QtQuick
import org.kde.kcmutils as KCM
import org.cellcounters 1.0 as CC

// The page is the same one any host shows; the module only frames it.
KCM.SimpleKCM {
    CC.CountersPage {
        objectName: "countersPage"
    }
}
