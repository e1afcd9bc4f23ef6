// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef SHOWNAMOUNT_H
#define SHOWNAMOUNT_H

#include <QString>
#include <functional>

class DataAmountWidget;
class DataCounterWidget;

/**
 * The amount of data sent at home as the page shows it (the subtitle of the
 * home section's first amount row), and the text it shows for a byte count,
 * for the measures that wait for a write to reach the screen.
 */
class ShownAmount
{
public:
    explicit ShownAmount(DataCounterWidget *page);

    bool isValid() const { return m_row != nullptr; }
    QString text() const;

    /** The subtitle that an amount row shows for @p bytes in the current locale. */
    static QString textFor(qulonglong bytes);

    /** Whether the row shows @p bytes; the text to look for is made now, not at each call. */
    std::function<bool()> shows(qulonglong bytes) const;

    /** Makes the check for a value when the value is known, before a clock starts. */
    using Expectation = std::function<std::function<bool()>(qulonglong bytes)>;

    /**
     * Turns the event loop, sleeping while there is nothing to do, until
     * @p done is true; false when @p timeoutMs passed first.
     */
    static bool waitUntil(const std::function<bool()> &done, int timeoutMs = 30000);

private:
    DataAmountWidget *m_row = nullptr;
};

#endif
