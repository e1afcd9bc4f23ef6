// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.cellcounters 1.0

// The home section only, with the object names the window test relies on.
ColumnLayout {
    NetworkCounters {
        id: home
    }
    Label {
        objectName: "homeSent"
        text: home.sent
    }
    TextField {
        objectName: "homeLimitField"
        text: home.limit
        onEditingFinished: text = home.commitLimit(text)
    }
    Switch {
        objectName: "homeWarningSwitch"
        text: "Warning"
        checked: home.warningOn
        onToggled: home.setWarning(checked)
    }
}
