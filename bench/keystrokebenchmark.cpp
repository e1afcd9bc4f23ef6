// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "keystrokebenchmark.h"

#include "benchstore.h"
#include "floorstore.h"
#include "pagebuildbenchmark.h"

#include "countercontainer.h"
#include "testscene.h"
#include "storagekeys.h"

#include <loconfstore.h>
#include <lotextedit.h>

#include <QCoreApplication>
#include <QGraphicsWidget>
#include <QKeyEvent>
#include <QLineEdit>

#include <chrono>

namespace
{
const QString Stored = QStringLiteral("12000000");

QString storedText(StorageKeys::KeyId key)
{
    QString error;
    const QVariant value = LoConfStore::instance().read(StorageKeys::path(key), &error);
    return value.userType() == QMetaType::QString ? value.toString() : QString();
}

void typeKey(QWidget *editor, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(editor, &release);
}
} // namespace

void KeystrokeBenchmark::registerBenchmarks()
{
    for (auto *b : {benchmark::RegisterBenchmark("keystroke/library", &KeystrokeBenchmark::library),
                    benchmark::RegisterBenchmark("keystroke/floor", &KeystrokeBenchmark::floor)}) {
        b->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(1.0)->Repetitions(5);
    }
}

void KeystrokeBenchmark::library(benchmark::State &state)
{
    // The warning is on: the digit goes to the entered and the effective limit.
    BenchStore::setString(StorageKeys::path(StorageKeys::GprsHomeNotificationPeriod), QStringLiteral("2000000000"));
    QGraphicsWidget *page = PageBuildBenchmark::buildLibrary();
    auto *section = ItemFinder::find<CounterContainer>(page, QStringLiteral("CounterContainer_0"));
    auto *field = section ? ItemFinder::find<LoTextEdit>(section, QStringLiteral("warningPeriodIput_0")) : nullptr;
    QWidget *editor = field ? field->lineEdit() : nullptr;
    if (!editor) {
        state.SkipWithError("the page has no home limit field");
        PageBuildBenchmark::dispose(page);
        return;
    }
    for (auto _ : state) {
        // Back to "1" without a signal, and the echoes of the last writes handled.
        section->setWarningPeriod(QStringLiteral("1"));
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        typeKey(editor, Qt::Key_2, QStringLiteral("2"));
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    if (field->text() != QLatin1String("12") || storedText(StorageKeys::GprsHomeUiNotificationPeriod) != Stored
        || storedText(StorageKeys::GprsHomeNotificationPeriod) != Stored)
        state.SkipWithError("the digit did not reach both keys");
    PageBuildBenchmark::dispose(page);
}

void KeystrokeBenchmark::floor(benchmark::State &state)
{
    const QByteArrayList keys{StorageKeys::path(StorageKeys::GprsHomeUiNotificationPeriod).toUtf8(),
                              StorageKeys::path(StorageKeys::GprsHomeNotificationPeriod).toUtf8()};
    const QByteArray value = Stored.toUtf8();
    FloorStore &store = FloorStore::instance();
    // Something else first, so that the check below sees the floor's own writes.
    for (const QByteArray &key : keys)
        BenchStore::setString(QString::fromUtf8(key), QStringLiteral("1000000"));
    bool refused = false;
    for (auto _ : state) {
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        refused = !store.setStrings(keys, value);
        const auto end = std::chrono::steady_clock::now();
        if (refused)
            break;
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    if (refused)
        state.SkipWithError("the store refused the writes");
    else if (storedText(StorageKeys::GprsHomeUiNotificationPeriod) != Stored
             || storedText(StorageKeys::GprsHomeNotificationPeriod) != Stored)
        state.SkipWithError("the floor did not store both keys");
}
