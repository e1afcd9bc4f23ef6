// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15 as QQC2
import QtTest 1.15
import org.cellcounters 1.0

// The page against a private store that `store` writes as another process
// would: what it shows, and what each of the user's actions writes.
Item {
    id: window
    width: 720
    height: 1440

TestCase {
    id: testCase
    name: "CountersPage"
    when: windowShown

    readonly property string transfer: "/cellui/settings/datacounter/transfer/"
    readonly property string general: "/cellui/settings/datacounter/general/"
    readonly property string timers: "/cellular/calltimers/"
    readonly property string clearedOnKey: "/cellui/settings/calltimers/reset_date"

    Component {
        id: pageComponent
        CountersPage {
            width: window.width
        }
    }

    function init() {
        verify(store.clear())
        verify(store.flush())
        store.setLocale("en_GB")
    }

    function makePage() {
        const page = createTemporaryObject(pageComponent, window)
        verify(page)
        // Laid out, so that clicks land on what they aim at.
        waitForRendering(page)
        return page
    }

    function item(page, name) {
        const found = findChild(page, name)
        verify(found, name)
        return found
    }

    function storeAll(values) {
        for (const key in values)
            verify(store.set(key, values[key]), key)
        verify(store.flush())
    }

    function compareShown(page, shown) {
        for (const name in shown) {
            const row = item(page, name)
            compare(row.hasOwnProperty("checked") ? row.checked : row.text, shown[name], name)
        }
    }

    function answer(page, dialogName, button) {
        const dialog = item(page, dialogName)
        tryCompare(dialog, "opened", true)
        mouseClick(dialog.standardButton(button))
        tryCompare(dialog, "visible", false)
    }

    function typeLimit(field, text, leave) {
        field.forceActiveFocus()
        field.selectAll()
        keyClick(Qt.Key_Backspace)
        for (let i = 0; i < text.length; ++i)
            keyClick(text[i])
        if (leave)
            keyClick(Qt.Key_Return)
    }

    function test_storedValues_data() {
        return [
            { tag: "fresh store", locale: "en_GB", values: {}, shown: {
                "sent_0": "0 MB", "received_1": "0 MB", "resetDate_0": "Never", "resetDate_1": "Never",
                "warningSwitch_0": false, "warningPeriodInput_0": "1000.0",
                "warningSwitch_1": true, "warningPeriodInput_1": "10.0",
                "timersDialed": "00:00:00", "timersAll": "00:00:00", "timersResetDate": "Never" } },
            { tag: "stored", locale: "en_GB", values: {
                [transfer + "gprs_home_tx_bytes"]: "123456789", [transfer + "gprs_home_rx_bytes"]: "1000000000",
                [transfer + "gprs_roaming_tx_bytes"]: "-5", [transfer + "gprs_roaming_rx_bytes"]: "junk",
                [general + "gprs_home_last_reset"]: "1.12.2026.1796083200",
                [general + "gprs_home_notification_period"]: "25000000",
                [general + "gprs_roaming_notification_period"]: "0",
                [general + "gprs_roaming_notification_period_UI"]: "40000000",
                [timers + "dialled"]: "3725", [timers + "received"]: "59", [timers + "all"]: "4000",
                [clearedOnKey]: "2026-11-30" }, shown: {
                "sent_0": "123.5 MB", "received_0": "1,000 MB", "sent_1": "0 MB", "received_1": "0 MB",
                "resetDate_0": "1 Dec 2026", "warningSwitch_0": true, "warningPeriodInput_0": "25.0",
                "warningSwitch_1": false, "warningPeriodInput_1": "40.0",
                "timersDialed": "01:02:05", "timersReceived": "00:00:59", "timersAll": "01:06:40",
                "timersResetDate": "30 Nov 2026" } },
            { tag: "native digits", locale: "ar_EG", values: {
                [transfer + "gprs_home_tx_bytes"]: "12300000", [timers + "dialled"]: "3725",
                [general + "gprs_home_notification_period"]: "25000000" }, shown: {
                "sent_0": "١٢٫٣ MB", "timersDialed": "٠١:٠٢:٠٥", "warningPeriodInput_0": "٢٥.٠" } },
        ]
    }

    function test_storedValues(data) {
        store.setLocale(data.locale)
        storeAll(data.values)
        const page = makePage()
        compareShown(page, data.shown)
        compare(page.LayoutMirroring.enabled, data.locale === "ar_EG")
    }

    // Another process's writes show within a second, without polling.
    function test_followsOtherProcesses() {
        const page = makePage()
        storeAll({ [transfer + "gprs_home_tx_bytes"]: "2500000", [general + "gprs_roaming_notification_period"]: "0",
                   [timers + "dialled"]: "61", [clearedOnKey]: "2026-12-01",
                   [general + "gprs_home_last_reset"]: "3.12.2026.1796256000",
                   [general + "gprs_home_notification_period_UI"]: "44000000" })
        tryCompare(item(page, "sent_0"), "text", "2.5 MB", 1000)
        tryCompare(item(page, "warningSwitch_1"), "checked", false, 1000)
        tryCompare(item(page, "timersDialed"), "text", "00:01:01", 1000)
        tryCompare(item(page, "timersResetDate"), "text", "1 Dec 2026", 1000)
        tryCompare(item(page, "resetDate_0"), "text", "3 Dec 2026", 1000)
        // While the warning is off, the field shows the limit entered last.
        tryCompare(item(page, "warningPeriodInput_0"), "text", "44.0", 1000)
    }

    function test_reset_data() {
        return [
            { tag: "confirmed", button: QQC2.Dialog.Yes, reset: true },
            { tag: "declined", button: QQC2.Dialog.No, reset: false },
        ]
    }

    function test_reset(data) {
        storeAll({ [transfer + "gprs_roaming_tx_bytes"]: "5000000", [transfer + "gprs_roaming_rx_bytes"]: "7000000" })
        const page = makePage()
        mouseClick(item(page, "resetButton_1"))
        answer(page, "resetDialog_1", data.button)
        compare(store.get(transfer + "gprs_roaming_tx_bytes"), data.reset ? "0" : "5000000")
        compare(store.get(transfer + "gprs_roaming_rx_bytes"), data.reset ? "0" : "7000000")
        compare(item(page, "sent_1").text, data.reset ? "0 MB" : "5 MB")
        const stored = store.get(general + "gprs_roaming_last_reset")
        if (data.reset) {
            const now = new Date()
            verify(stored.startsWith(now.getDate() + "." + (now.getMonth() + 1) + "." + now.getFullYear() + "."), stored)
            compare(item(page, "resetDate_1").text, store.today())
        } else {
            compare(stored, "")
        }
        compare(store.get(transfer + "gprs_home_tx_bytes"), "")
    }

    function test_warningSwitch_data() {
        return [
            { tag: "roaming off", name: "warningSwitch_1", key: "gprs_roaming_notification_period", values: {},
              limit: "0", field: "10.0" },
            { tag: "home on at the default", name: "warningSwitch_0", key: "gprs_home_notification_period", values: {},
              limit: "1000000000", field: "1000.0" },
            { tag: "home on at the entered limit", name: "warningSwitch_0", key: "gprs_home_notification_period",
              values: { [general + "gprs_home_notification_period_UI"]: "33000000" }, limit: "33000000", field: "33.0" },
            // The entered limit follows the one in force, so that off keeps showing it.
            { tag: "home off after a limit set elsewhere", name: "warningSwitch_0", key: "gprs_home_notification_period",
              values: { [general + "gprs_home_notification_period"]: "25000000",
                        [general + "gprs_home_notification_period_UI"]: "40000000" }, limit: "0", field: "25.0" },
        ]
    }

    function test_warningSwitch(data) {
        storeAll(data.values)
        const page = makePage()
        const toggle = item(page, data.name)
        const wasOn = toggle.checked
        mouseClick(toggle)
        compare(toggle.checked, !wasOn)
        compare(store.get(general + data.key), data.limit)
        compare(item(page, data.name.replace("warningSwitch", "warningPeriodInput")).text, data.field)
    }

    function test_limitField_data() {
        return [
            // Written while typed, before the field is left.
            { tag: "still typing", suffix: "_1", typed: "25", stay: true, entered: "25000000", inForce: "25000000", field: "25" },
            { tag: "home, warning off", suffix: "_0", typed: "25", entered: "25000000", inForce: "", field: "25.0" },
            { tag: "roaming, warning on", suffix: "_1", typed: "25", entered: "25000000", inForce: "25000000", field: "25.0" },
            { tag: "comma", suffix: "_1", typed: "7,5", entered: "7500000", inForce: "7500000", field: "7.5" },
            { tag: "largest", suffix: "_1", typed: "999999999.9", entered: "999999999900000", inForce: "999999999900000",
              field: "999999999.9" },
            // Refused: the last good limit comes back and is entered again.
            { tag: "below 0.1", suffix: "_1", typed: "0.0", entered: "10000000", inForce: "10000000", field: "10.0" },
            { tag: "emptied", suffix: "_1", typed: "", entered: "10000000", inForce: "10000000", field: "10.0" },
            { tag: "second decimal refused", suffix: "_1", typed: "1.25", entered: "1200000", inForce: "1200000", field: "1.2" },
            { tag: "letters", suffix: "_0", typed: "abc", entered: "1000000000", inForce: "", field: "1000.0" },
        ]
    }

    function test_limitField(data) {
        const page = makePage()
        const field = item(page, "warningPeriodInput" + data.suffix)
        typeLimit(field, data.typed, !data.stay)
        compare(field.text, data.field)
        const network = data.suffix === "_0" ? "gprs_home" : "gprs_roaming"
        compare(store.get(general + network + "_notification_period_UI"), data.entered)
        compare(store.get(general + network + "_notification_period"), data.inForce)
    }

    function test_clearTimers() {
        storeAll({ [timers + "dialled"]: "100", [timers + "received"]: "20", [timers + "all"]: "120" })
        const page = makePage()
        compare(item(page, "timersAll").text, "00:02:00")
        mouseClick(item(page, "timersResetBtn"))
        answer(page, "timersClearDialog", QQC2.Dialog.Yes)
        tryCompare(item(page, "timersAll"), "text", "00:00:00", 1000)
        compare(store.get(timers + "dialled"), "0")
        compare(store.get(clearedOnKey), Qt.formatDate(new Date(), "yyyy-MM-dd"))
        compare(item(page, "timersResetDate").text, store.today())
    }
}
}
