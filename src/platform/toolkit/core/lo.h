// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LO_H
#define LO_H

#include <QFlags>

// Enumerations shared by the toolkit's widgets and dialogs.
namespace Lo {

// Content type of a text field; selects the software keyboard's layout.
enum TextContentType {
    FreeTextContentType = 0,
    NumberContentType = 1,
    PhoneNumberContentType = 2,
    EmailContentType = 3,
    UrlContentType = 4,
};

// Dialog buttons; the values are those of QMessageBox::StandardButton.
enum StandardButton {
    NoStandardButton = 0x00000000,
    OkButton = 0x00000400,
    SaveButton = 0x00000800,
    YesButton = 0x00004000,
    NoButton = 0x00010000,
    CancelButton = 0x00400000,
};
Q_DECLARE_FLAGS(StandardButtons, StandardButton)

} // namespace Lo

Q_DECLARE_OPERATORS_FOR_FLAGS(Lo::StandardButtons)

#endif
