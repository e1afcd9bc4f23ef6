// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15 as QQC2
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import org.cellcounters 1.0

// One network's data counters; object names end in the network's number
// (0 home, 1 roaming), as the widget page's do.
ColumnLayout {
    id: section

    property alias network: counters.network
    readonly property alias form: form
    readonly property string suffix: "_" + counters.network

    NetworkCounters {
        id: counters
    }

    Kirigami.FormLayout {
        id: form
        Layout.fillWidth: true

        Kirigami.Separator {
            Kirigami.FormData.isSection: true
            Kirigami.FormData.label: qsTrId("qtn_cell_counter_data_title") + " · "
                + qsTrId(counters.network === NetworkCounters.Roaming ? "qtn_cell_counter_roaming_title"
                                                                       : "qtn_cell_counter_psd_title")
        }
        QQC2.Switch {
            objectName: "warningSwitch" + section.suffix
            Kirigami.FormData.label: qsTrId("qtn_cell_counter_display_warning")
            checked: counters.warningOn
            onToggled: counters.setWarning(checked)
        }
        QQC2.TextField {
            id: limitField
            objectName: "warningPeriodInput" + section.suffix
            Kirigami.FormData.label: qsTrId("qtn_cell_counter_mb_title")
            validator: counters.limitValidator
            inputMethodHints: Qt.ImhFormattedNumbersOnly
            horizontalAlignment: TextInput.AlignLeft
            Component.onCompleted: text = counters.limit
            onTextEdited: counters.editLimit(text)
            // Return and leaving the field commit it; what it refuses gives way to
            // the last good limit. Return also puts the keyboard away.
            onActiveFocusChanged: if (!activeFocus) text = counters.commitLimit(text)
            Keys.onReturnPressed: commit()
            Keys.onEnterPressed: commit()

            function commit() {
                text = counters.commitLimit(text)
                Qt.inputMethod.hide()
            }

            Connections {
                target: counters
                function onLimitChanged() { limitField.text = counters.limit }
            }
        }
        QQC2.Label {
            objectName: "sent" + section.suffix
            Kirigami.FormData.label: qsTrId("qtn_cell_counter_sent")
            text: counters.sent
        }
        QQC2.Label {
            objectName: "received" + section.suffix
            Kirigami.FormData.label: qsTrId("qtn_cell_counter_received")
            text: counters.received
        }
        RowLayout {
            Kirigami.FormData.label: qsTrId("qtn_cell_last_reset")
            spacing: Kirigami.Units.largeSpacing
            QQC2.Label {
                objectName: "resetDate" + section.suffix
                text: counters.resetDate
            }
            QQC2.Button {
                objectName: "resetButton" + section.suffix
                text: qsTrId("qtn_cell_reset_counters")
                onClicked: resetDialog.open()
            }
        }
    }

    Kirigami.PromptDialog {
        id: resetDialog
        objectName: "resetDialog" + section.suffix
        title: qsTrId("qtn_cell_reset")
        subtitle: qsTrId("qtn_cell_reset_counters_question")
        standardButtons: QQC2.Dialog.Yes | QQC2.Dialog.No
        // The keyboard starts on the answer that loses nothing.
        onOpened: standardButton(QQC2.Dialog.No).forceActiveFocus()
        onAccepted: counters.reset()
    }
}
