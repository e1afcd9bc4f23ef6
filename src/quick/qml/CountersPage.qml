// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15 as QQC2
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import org.cellcounters 1.0

// The cellular counters: the call timers, then the home and roaming data
// counters. Only layout and dialogs here; what is shown and what a change
// writes come from CallTimers and NetworkCounters.
ColumnLayout {
    id: page
    objectName: "countersPage"

    LayoutMirroring.enabled: Qt.application.layoutDirection === Qt.RightToLeft
    LayoutMirroring.childrenInherit: true
    spacing: Kirigami.Units.largeSpacing

    CallTimers {
        id: callTimers
    }

    Kirigami.FormLayout {
        id: timersForm
        Layout.fillWidth: true
        twinFormLayouts: [home.form, roaming.form]

        Kirigami.Separator {
            Kirigami.FormData.isSection: true
            Kirigami.FormData.label: qsTrId("qtn_cell_call_timers")
        }
        QQC2.Label {
            objectName: "timersDialed"
            Kirigami.FormData.label: qsTrId("qtn_cell_dialled")
            text: callTimers.dialled
        }
        QQC2.Label {
            objectName: "timersReceived"
            Kirigami.FormData.label: qsTrId("qtn_cell_received")
            text: callTimers.received
        }
        QQC2.Label {
            objectName: "timersAll"
            Kirigami.FormData.label: qsTrId("qtn_cell_all")
            text: callTimers.all
        }
        RowLayout {
            Kirigami.FormData.label: qsTrId("qtn_cell_last_reset")
            spacing: Kirigami.Units.largeSpacing
            QQC2.Label {
                objectName: "timersResetDate"
                text: callTimers.clearedOn
            }
            QQC2.Button {
                objectName: "timersResetBtn"
                text: qsTrId("qtn_cell_reset_counters")
                enabled: callTimers.available
                onClicked: clearDialog.open()
            }
        }
    }

    NetworkSection {
        id: home
        Layout.fillWidth: true
        network: NetworkCounters.Home
    }

    NetworkSection {
        id: roaming
        Layout.fillWidth: true
        network: NetworkCounters.Roaming
    }

    Kirigami.PromptDialog {
        id: clearDialog
        objectName: "timersClearDialog"
        title: qsTrId("qtn_cell_reset")
        subtitle: qsTrId("qtn_cell_clear_timers_question")
        standardButtons: QQC2.Dialog.Yes | QQC2.Dialog.No
        // The keyboard starts on the answer that loses nothing.
        onOpened: standardButton(QQC2.Dialog.No).forceActiveFocus()
        onAccepted: callTimers.clear()
    }
}
