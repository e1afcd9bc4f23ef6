// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LIMITVALIDATOR_H
#define LIMITVALIDATOR_H

#include "cellcounters_export.h"
#include "datacountervalue.h"

#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QRegExpValidator>
using LimitValidatorBase = QRegExpValidator;
#else
#include <QRegularExpressionValidator>
using LimitValidatorBase = QRegularExpressionValidator;
#endif

/**
 * What a data warning limit field takes, in megabytes: up to nine integer
 * digits, optionally a separator and one decimal digit, digits of any script.
 * The separators are the ones the megabyte conversion understands, the
 * locale's decimal point among them. Every limit field, widget or Qt Quick,
 * validates with it, and commits what isCommittable() accepts.
 */
class CELLCOUNTERS_EXPORT LimitValidator : public LimitValidatorBase
{
    Q_OBJECT
public:
    /** The smallest limit a commit accepts, in megabytes. */
    static constexpr double Minimum = 0.1;

    explicit LimitValidator(QObject *parent = nullptr);
    ~LimitValidator() override;

    /**
     * @p latinText (Latin digits) as a number of megabytes: its first separator
     * is the decimal point, as in DataCounterValue::fromUiMegas(). @p ok is
     * false when it is no number.
     */
    static double toMegabytes(const QString &latinText, bool *ok);

    /**
     * Whether @p text, as shown in a field (any script's digits), is a limit
     * the pattern accepts that reads as a number: what a keystroke enters.
     * Its Latin digit form in @p latinText, its megabytes in @p megabytes.
     */
    bool isEntered(const QString &text, QString *latinText = nullptr, double *megabytes = nullptr) const;
    /** Whether @p text is entered (isEntered()) and at least Minimum: what a commit takes. */
    bool isCommittable(const QString &text, QString *latinText = nullptr) const;
};

#endif
